#include "mail/quoted_printable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/message_pump.h"

namespace {

// Pieces are cut when 65 or more characters remain.
constexpr std::size_t kPieceLength = 65;
constexpr std::size_t kReadBlock = 64 * 1024;

bool IsLineEnd(std::uint8_t c) { return c == '\r' || c == '\n'; }

constexpr bool NeedsEscape(unsigned c) { return c < 32 || c == '=' || c >= 128; }

// The encoded form of each byte: itself, or "=" and two upper-case
// hexadecimal digits.
struct TEscape {
  char text[3];
  std::uint8_t length;
};

constexpr std::array<TEscape, 256> MakeEscapes() {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::array<TEscape, 256> table{};
  for (unsigned c = 0; c < 256; ++c) {
    if (NeedsEscape(c)) {
      table[c] = {{'=', kHex[c >> 4], kHex[c & 15]}, 3};
    } else {
      table[c] = {{static_cast<char>(c), 0, 0}, 1};
    }
  }
  return table;
}

constexpr std::array<TEscape, 256> kEscapes = MakeEscapes();

// Gives the source one byte at a time from a block buffer, with the one
// step back that a line end needs.
class TByteReader {
 public:
  explicit TByteReader(TStream& source) : source_(source), block_(kReadBlock) {
    source_.SetPosition(0);
    remaining_ = source_.Size();
  }

  bool AtEnd() const { return remaining_ == 0; }

  std::uint8_t Next() {
    if (next_ == filled_) {
      filled_ = source_.Read(block_.data(), block_.size());
      next_ = 0;
      if (filled_ == 0) throw EStreamError("Stream read error");
    }
    --remaining_;
    return block_[next_++];
  }

  // Steps back over the byte just read by Next.
  void StepBack() {
    --next_;
    ++remaining_;
  }

 private:
  TStream& source_;
  std::vector<std::uint8_t> block_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
  std::uint64_t remaining_ = 0;
};

}  // namespace

void TQuotedPrintable::Encode() {
  TByteReader reader(source_);
  // Room for the lines of binary data or of text with longish lines, so the
  // list seldom has to move its lines while it grows.
  target_.reserve(target_.size() + static_cast<std::size_t>(source_.Size() / 48) + 1);
  // One paragraph at most, written by index: no growth checks per byte.
  std::string paragraph(kParagraphLimit, '\0');
  while (!reader.AtEnd() && !Stop) {
    std::size_t length = 0;
    while (!reader.AtEnd()) {
      const std::uint8_t c = reader.Next();
      ProcessPendingMessages();
      // The last byte of the source always belongs to the paragraph.
      if (IsLineEnd(c) && !reader.AtEnd()) {
        if (!IsLineEnd(reader.Next())) {
          reader.StepBack();
        } else {
          ProcessPendingMessages();
        }
        break;
      }
      if (length == kParagraphLimit) throw std::runtime_error("Paragraph is too large");
      paragraph[length++] = static_cast<char>(c);
    }
    EncodeParagraph(std::string_view(paragraph.data(), length));
  }
}

void TQuotedPrintable::EncodeParagraph(std::string_view paragraph) {
  std::string_view rest(paragraph);
  while (rest.size() >= kPieceLength) {
    // Cut before the last blank among positions 2..66 (1-based) of the
    // rest; that blank starts the next piece.
    const std::size_t lastCandidate = std::min(rest.size() - 1, kPieceLength);
    std::size_t cut = kPieceLength;
    // Binary data seldom has a blank: one fast scan settles that case.
    if (std::memchr(rest.data() + 1, ' ', lastCandidate) != nullptr) {
      for (std::size_t i = lastCandidate; i >= 1; --i) {
        if (rest[i] == ' ') {
          cut = i;
          break;
        }
      }
    }
    AppendPiece(rest.substr(0, cut), true);
    rest.remove_prefix(cut);
  }
  AppendPiece(rest, false);
}

void TQuotedPrintable::AppendPiece(std::string_view piece, bool softBreak) {
  std::size_t length = softBreak ? 1 : 0;
  for (const char ch : piece) length += kEscapes[static_cast<std::uint8_t>(ch)].length;
  // Room for the three characters that the last byte copies.
  std::string& line = target_.emplace_back(length + 2, '\0');
  char* out = line.data();
  // Every byte copies three characters and advances by its own length, so
  // the loop has no branch that random data would mispredict.
  for (const char ch : piece) {
    const TEscape& escape = kEscapes[static_cast<std::uint8_t>(ch)];
    std::memcpy(out, escape.text, 3);
    out += escape.length;
  }
  if (softBreak) *out++ = '=';
  line.resize(length);
}
