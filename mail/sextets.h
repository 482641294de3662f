// The 6-bit groups of bytes as characters: the common core of Base64 and
// UUEncode, which differ only in the character each group value gets.
#pragma once

#include <string_view>

enum class TSextetAlphabet { Base64, UU };

// The UU character of a 6-bit value (or of a line's byte count): 0 is the
// grave accent, 1..63 are "!" .. "_".
constexpr char UUChar(unsigned value) { return value == 0 ? '`' : static_cast<char>(' ' + value); }

// Writes the 6-bit groups of `bytes`, highest bits first, as characters of
// `alphabet` to `out`: 4 per 3 bytes, and 2 or 3 for a final 1 or 2 bytes
// (no padding). Returns the end of what was written. Uses the processor's
// vector instructions where it has them.
char* WriteSextets(std::string_view bytes, char* out, TSextetAlphabet alphabet);

// The same with portable code only; the vector path must give the same
// characters.
char* WriteSextetsPortable(std::string_view bytes, char* out, TSextetAlphabet alphabet);
