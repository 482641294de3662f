#include "app/version_info.h"

#include "platform/text_to_integer.h"

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The trimmed text before the first "." (all of it when there is none); the
// rest after that "." stays in `text`, trimmed.
std::string TakeNumber(std::string_view& text) {
  const std::size_t dot = text.find('.');
  const std::string number(Trim(text.substr(0, dot)));
  text = dot == std::string_view::npos ? std::string_view() : Trim(text.substr(dot + 1));
  return number;
}

}  // namespace

void TVersionInfo::Assign(const TVersionStrings& strings) {
  strings_ = strings;
  std::string_view rest = Trim(strings_.FileVersion);
  major_ = TakeNumber(rest);
  minor_ = TakeNumber(rest);
  release_ = TakeNumber(rest);
  build_ = std::string(rest);
}

char ReleaseLetter(int release) {
  char letter = static_cast<char>('a' + release - 1);
  if (letter > 'k') ++letter;
  if (letter > 'n') ++letter;
  return letter;
}

std::string TVersionInfo::VersionLabel() const {
  if (strings_.FileVersion.empty()) return std::string();
  std::string label = " v " + major_ + "." + minor_;
  const int release = release_.empty() ? 0 : StrToInt(release_);
  if (release >= 1 && release <= 24) {
    label += ReleaseLetter(release);
  } else if (release >= 25) {
    label += "." + release_;
  }
  return label;
}
