#include "mail/quoted_printable.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_pump.h"

namespace {

// Pieces are cut when 65 or more characters remain.
constexpr std::size_t kPieceLength = 65;
constexpr std::size_t kReadBlock = 64 * 1024;

bool IsLineEnd(std::uint8_t c) { return c == '\r' || c == '\n'; }

bool NeedsEscape(std::uint8_t c) { return c < 32 || c == '=' || c >= 128; }

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
  std::string paragraph;
  paragraph.reserve(kParagraphLimit);
  while (!reader.AtEnd() && !Stop) {
    paragraph.clear();
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
      if (paragraph.size() == kParagraphLimit) throw std::runtime_error("Paragraph is too large");
      paragraph += static_cast<char>(c);
    }
    EncodeParagraph(paragraph);
  }
}

void TQuotedPrintable::EncodeParagraph(const std::string& paragraph) {
  std::string_view rest(paragraph);
  while (rest.size() >= kPieceLength) {
    // Cut before the last blank among positions 2..66 (1-based) of the
    // rest; that blank starts the next piece.
    const std::size_t lastCandidate = std::min(rest.size() - 1, kPieceLength);
    std::size_t cut = kPieceLength;
    for (std::size_t i = lastCandidate; i >= 1; --i) {
      if (rest[i] == ' ') {
        cut = i;
        break;
      }
    }
    AppendPiece(rest.substr(0, cut), true);
    rest.remove_prefix(cut);
  }
  AppendPiece(rest, false);
}

void TQuotedPrintable::AppendPiece(std::string_view piece, bool softBreak) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string line;
  line.reserve(piece.size() * 3 + 1);
  for (const char ch : piece) {
    const auto c = static_cast<std::uint8_t>(ch);
    if (NeedsEscape(c)) {
      line += '=';
      line += kHex[c >> 4];
      line += kHex[c & 15];
    } else {
      line += ch;
    }
  }
  if (softBreak) line += '=';
  target_.push_back(std::move(line));
}
