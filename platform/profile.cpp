#include "platform/profile.h"

#include <algorithm>

bool TProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string oneLine(value);
  std::replace_if(
      oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return WriteLine(section, key, oneLine);
}

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length in bytes of the well-formed UTF-8 sequence at the start of `text`,
// or 0 when it is not one.
std::size_t SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  else
    return 0;
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 0;
  }
  const auto second = static_cast<unsigned char>(text[1]);
  // Overlong forms, UTF-16 surrogates and code points beyond U+10FFFF.
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

}  // namespace

std::string CutToCharacters(std::string_view text, std::size_t maxCharacters) {
  std::size_t bytes = 0;
  std::size_t characters = 0;
  while (bytes < text.size()) {
    const std::size_t length = SequenceLength(text.substr(bytes));
    const std::size_t units = length == 4 ? 2 : 1;
    if (characters + units > maxCharacters) break;
    characters += units;
    bytes += length == 0 ? 1 : length;
  }
  return std::string(text.substr(0, bytes));
}
