#include "output/save_rules.h"

#include <algorithm>

namespace {

constexpr std::string_view kJPEGExtension = ".JPG";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte length of the first `limit` UTF-8 characters of `text`.
std::size_t PrefixBytes(const std::string& text, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (characters == limit) return i;
    ++characters;
  }
  return text.size();
}

std::string CutTo(const std::string& path, std::size_t limit) { return path.substr(0, PrefixBytes(path, limit)); }

}  // namespace

std::string TFileNumber::ProposedName() const { return "Image" + std::to_string(value_); }

void TFileNumber::SaveCompleted() { value_ = std::min(value_ + 1, kLast); }

std::string CutPath(const std::string& path) { return CutTo(path, kMaxPathLength); }

std::string SavePath(TSaveFormat format, const std::string& dialogPath) {
  std::string path = CutPath(dialogPath);
  if (format != TSaveFormat::sfJPEG || path.find(kJPEGExtension) != std::string::npos) return path;
  return CutTo(path, kMaxPathLength - kJPEGExtension.size()) + std::string(kJPEGExtension);
}

void CompleteSave(TFileNumber& number, TSaveFormat format, const std::optional<std::string>& chosenPath,
                  const std::function<void(const std::string& path)>& write) {
  if (!chosenPath) return;
  write(SavePath(format, *chosenPath));
  number.SaveCompleted();
}
