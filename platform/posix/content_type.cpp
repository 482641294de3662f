#include "platform/content_type.h"

#include <fstream>
#include <sstream>

#include "platform/content_type_name.h"

namespace {

// Debian's table of media types (package media-types): one type per line,
// followed by its extensions without dots; "#" starts a comment.
constexpr const char* kMediaTypesFile = "/etc/mime.types";

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

std::string ContentTypeForFile(const std::string& fileName) {
  const std::string extension = FileExtension(fileName);
  if (extension.size() < 2) return kFallbackContentType;
  // The Windows registry compares extensions without regard to case.
  const std::string wanted = LowerAscii(extension.substr(1));
  std::ifstream table(kMediaTypesFile);
  std::string line;
  while (std::getline(table, line)) {
    if (line.empty() || line.front() == '#') continue;
    std::istringstream fields(line);
    std::string type;
    std::string candidate;
    fields >> type;
    while (fields >> candidate) {
      if (LowerAscii(candidate) == wanted) return type;
    }
  }
  return kFallbackContentType;
}
