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

// Gives the source in blocks: the unread bytes of the current block, read
// further when that is used up.
class TBlockReader {
 public:
  explicit TBlockReader(TStream& source) : source_(source), block_(kReadBlock) {
    source_.SetPosition(0);
    remaining_ = source_.Size();
  }

  bool AtEnd() const { return remaining_ == 0; }
  std::uint64_t Remaining() const { return remaining_; }

  // The unread bytes of the block, never empty before the end; a source
  // that ends before its size raises "Stream read error".
  std::string_view Unread() {
    if (next_ == filled_ && remaining_ > 0) {
      filled_ = source_.Read(block_.data(), block_.size());
      next_ = 0;
      if (filled_ == 0) throw EStreamError("Stream read error");
    }
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(filled_ - next_, remaining_));
    return std::string_view(block_.data() + next_, count);
  }

  // Passes over `count` bytes of Unread and lets the application process
  // its pending messages. One call stands for one per byte: the bytes were
  // taken in one copy, and back-to-back calls find nothing new to handle.
  void Consume(std::size_t count) {
    ProcessPendingMessages();
    next_ += count;
    remaining_ -= count;
  }

 private:
  TStream& source_;
  std::vector<char> block_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
  std::uint64_t remaining_ = 0;
};

// Whether one of the 8 bytes of `word` is a CR or an LF: a byte equal to
// one of them turns to zero, and the borrow of subtracting 1 from a zero
// byte sets its top bit.
bool HasLineEnd(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kTops = 0x8080808080808080;
  const std::uint64_t cr = word ^ (kOnes * '\r');
  const std::uint64_t lf = word ^ (kOnes * '\n');
  return (((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kTops;
}

// The position of the first CR or LF in `text`, or its size. Skips 8 bytes
// at a time up to the word that holds one.
std::size_t FindLineEnd(std::string_view text) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (HasLineEnd(word)) break;
  }
  for (; i < text.size(); ++i) {
    if (IsLineEnd(static_cast<std::uint8_t>(text[i]))) return i;
  }
  return text.size();
}

}  // namespace

void TQuotedPrintable::Encode() {
  TBlockReader reader(source_);
  // One paragraph at most, gathered block piece by block piece.
  std::string paragraph(kParagraphLimit, '\0');
  while (!reader.AtEnd() && !Stop) {
    std::size_t length = 0;
    while (!reader.AtEnd()) {
      const std::string_view unread = reader.Unread();
      std::size_t take = FindLineEnd(unread);
      // The last byte of the source always belongs to the paragraph.
      const bool lineEnd = take < unread.size() && reader.Remaining() > take + 1;
      if (!lineEnd && take < unread.size()) ++take;
      if (take > kParagraphLimit - length) throw std::runtime_error("Paragraph is too large");
      std::memcpy(paragraph.data() + length, unread.data(), take);
      length += take;
      reader.Consume(take);
      if (lineEnd) {
        reader.Consume(1);
        // A second CR or LF right after belongs to the same line end.
        if (!reader.AtEnd() && IsLineEnd(static_cast<std::uint8_t>(reader.Unread().front()))) reader.Consume(1);
        break;
      }
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
  // A piece holds at most 65 bytes of 3 characters each and the soft break.
  // The whole 4-byte entry of the last byte, written at most 192 characters
  // in, still fits.
  static_assert(sizeof(TEscape) == 4);
  std::array<char, kPieceLength * 3 + 1> text;
  if (piece.size() > kPieceLength) throw std::logic_error("Quoted-printable piece is too long");
  char* out = text.data();
  // Every byte copies its whole entry and advances by its own length, so
  // the loop has no branch that random data would mispredict.
  for (const char ch : piece) {
    const TEscape& escape = kEscapes[static_cast<std::uint8_t>(ch)];
    std::memcpy(out, &escape, sizeof escape);
    out += escape.length;
  }
  if (softBreak) *out++ = '=';
  writeLine_(std::string_view(text.data(), static_cast<std::size_t>(out - text.data())));
}
