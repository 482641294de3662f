// The runtime's text-to-integer rule, used for every number in the settings
// file, the version numbers and the print scale: leading blanks are skipped, a sign is
// allowed, and "$" or "0x" introduces hexadecimal digits (a hexadecimal
// number is a 32-bit pattern, so "$FFFFFFFF" is -1).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

struct TIntegerText {
  // The number when the whole text converted; otherwise the value of the
  // digits before the first one that did not, its sign ignored (0 when there
  // are none; a decimal one at most 2147483647).
  std::int32_t Value = 0;
  // True when the whole text is one number within the 32-bit range.
  bool Complete = false;
};

TIntegerText ParseIntegerText(std::string_view text);

// The settings file's reading of a number: never fails, so "-5x" gives 5,
// "25x" 25, "abc" 0, while "-25" gives -25.
inline std::int32_t TextToInteger(std::string_view text) { return ParseIntegerText(text).Value; }

// Raised where a text must be a number and is not; the text is the runtime's
// own: "'abc' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole text as a number, or EConvertError.
std::int32_t StrToInt(std::string_view text);
