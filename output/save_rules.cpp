#include "output/save_rules.h"

#include <algorithm>

#include "platform/profile.h"

namespace {

constexpr std::string_view kJPEGExtension = ".JPG";

}  // namespace

std::string TFileNumber::ProposedName() const { return "Image" + std::to_string(value_); }

void TFileNumber::SaveCompleted() { value_ = std::min(value_ + 1, kLast); }

std::string UpperCaseEnding(const std::string& fileName) {
  if (fileName.size() < 4) return {};
  std::string ending = fileName.substr(fileName.size() - 4);
  for (char& c : ending) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return ending;
}

std::string CutPath(const std::string& path) { return CutToCharacters(path, kMaxPathLength); }

std::string SavePath(TSaveFormat format, const std::string& dialogPath) {
  std::string path = CutPath(dialogPath);
  if (format != TSaveFormat::sfJPEG || path.find(kJPEGExtension) != std::string::npos) return path;
  return CutToCharacters(path, kMaxPathLength - kJPEGExtension.size()) + std::string(kJPEGExtension);
}

void CompleteSave(TFileNumber& number, TSaveFormat format, const std::optional<std::string>& chosenPath,
                  const std::function<bool(const std::string& path)>& mayWrite,
                  const std::function<void(const std::string& path)>& write) {
  if (!chosenPath) return;
  const std::string path = SavePath(format, *chosenPath);
  if (path != *chosenPath && !mayWrite(path)) return;
  write(path);
  number.SaveCompleted();
}
