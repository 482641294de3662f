// Feeds arbitrary bytes to the quoted-printable encoder and checks that
// every line is 7-bit text without control bytes that decodes back to the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "mail/quoted_printable.h"

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The input with each line end (one CR or LF, plus one more CR or LF right
// after it) as CR LF; the last byte always stays text.
std::string NormalisedLineEnds(const std::string& source) {
  std::string result;
  std::size_t i = 0;
  bool first = true;
  while (i < source.size()) {
    if (!first) result += "\r\n";
    first = false;
    while (i < source.size()) {
      const char c = source[i++];
      if (IsLineEnd(c) && i < source.size()) {
        if (IsLineEnd(source[i])) ++i;
        break;
      }
      result += c;
    }
  }
  return result;
}

std::string Decoded(const TStringList& lines) {
  std::string result;
  bool joinNext = true;
  for (const auto& line : lines) {
    if (!joinNext) result += "\r\n";
    std::string_view text(line);
    // Escapes end in a hex digit, so a final "=" is always a soft break.
    joinNext = text.ends_with('=');
    if (joinNext) text.remove_suffix(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      // DEL (127) is the one control byte that goes unescaped.
      if (c < 32 || c > 127) std::abort();
      if (c != '=') {
        result += static_cast<char>(c);
        continue;
      }
      if (i + 2 >= text.size()) std::abort();
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) std::abort();
      result += static_cast<char>(high * 16 + low);
      i += 2;
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  TMemoryStream source(std::vector<std::uint8_t>(data, data + size));
  TStringList lines;
  try {
    TQuotedPrintable(source, lines).Encode();
  } catch (const std::runtime_error&) {
    return 0;  // "Paragraph is too large"
  }
  if (Decoded(lines) != NormalisedLineEnds(input)) std::abort();
  return 0;
}
