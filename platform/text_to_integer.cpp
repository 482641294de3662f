#include "platform/text_to_integer.h"

#include <limits>
#include <string>

namespace {

int DigitValue(char c, bool hexadecimal) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hexadecimal) return -1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int32_t>::max();

}  // namespace

TIntegerText ParseIntegerText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hexadecimal = false;
  if (i < text.size() && text[i] == '$') {
    hexadecimal = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hexadecimal = true;
    i += 2;
  }
  // Decimal numbers stop short of the 32-bit range (one more for a negative
  // one); hexadecimal ones may use all 32 bits.
  const std::uint64_t limit = hexadecimal ? 0xFFFFFFFFu : kMaxPositive + (negative ? 1 : 0);
  const std::uint64_t base = hexadecimal ? 16 : 10;
  std::uint64_t magnitude = 0;
  bool anyDigit = false;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], hexadecimal);
    if (digit < 0 || magnitude * base + static_cast<std::uint64_t>(digit) > limit) break;
    magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
    anyDigit = true;
  }
  TIntegerText result;
  result.Complete = anyDigit && i == text.size();
  if (!result.Complete) {
    result.Value = hexadecimal ? static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude))
                               : static_cast<std::int32_t>(magnitude > kMaxPositive ? kMaxPositive : magnitude);
    return result;
  }
  const auto pattern = static_cast<std::uint32_t>(magnitude);
  result.Value = static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
  return result;
}

std::int32_t StrToInt(std::string_view text) {
  const TIntegerText result = ParseIntegerText(text);
  if (!result.Complete) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return result.Value;
}
