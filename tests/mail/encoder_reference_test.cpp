// The block-wise encoders against plain one-bit-at-a-time and
// one-byte-at-a-time encoders written from the rules, on many random
// contents: every line must be the same.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "mail/line_writer.h"
#include "mail/quoted_printable.h"
#include "mail/sextets.h"
#include "mail/transfer_encodings.h"

namespace {

const std::string kBase64Table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

char UUTableChar(unsigned value) { return value == 0 ? '`' : static_cast<char>(' ' + value); }

// The 6-bit groups of `bytes`, highest bits first, zero bits appended.
std::vector<unsigned> Sextets(std::string_view bytes) {
  std::vector<unsigned> groups;
  const std::size_t bits = bytes.size() * 8;
  for (std::size_t start = 0; start < bits; start += 6) {
    unsigned group = 0;
    for (std::size_t bit = start; bit < start + 6; ++bit) {
      const unsigned value = bit < bits ? (static_cast<std::uint8_t>(bytes[bit / 8]) >> (7 - bit % 8)) & 1 : 0;
      group = group << 1 | value;
    }
    groups.push_back(group);
  }
  return groups;
}

TStringList ReferenceBase64Lines(std::string_view content) {
  TStringList lines;
  for (std::size_t offset = 0;; offset += kBase64LineBytes) {
    const std::string_view chunk = content.substr(std::min(offset, content.size()), kBase64LineBytes);
    std::string line;
    for (const unsigned group : Sextets(chunk)) line += kBase64Table[group];
    while (line.size() % 4 != 0) line += '=';
    lines.push_back(line);
    if (chunk.size() < kBase64LineBytes) return lines;
  }
}

TStringList ReferenceUULines(std::string_view content) {
  TStringList lines;
  for (std::size_t offset = 0;; offset += kUULineBytes) {
    const std::string_view chunk = content.substr(std::min(offset, content.size()), kUULineBytes);
    std::string line(1, UUTableChar(static_cast<unsigned>(chunk.size())));
    for (const unsigned group : Sextets(chunk)) line += UUTableChar(group);
    lines.push_back(line);
    if (chunk.size() < kUULineBytes) return lines;
  }
}

std::string ReferenceEscaped(std::string_view piece) {
  std::string text;
  for (const char ch : piece) {
    const auto c = static_cast<std::uint8_t>(ch);
    if (c < 32 || c == '=' || c >= 128) {
      text += '=';
      text += "0123456789ABCDEF"[c >> 4];
      text += "0123456789ABCDEF"[c & 15];
    } else {
      text += ch;
    }
  }
  return text;
}

// The lines, and whether the encoding ends on a paragraph that is too large.
struct TQuotedLines {
  TStringList lines;
  bool tooLarge = false;
};

TQuotedLines ReferenceQuotedPrintable(std::string_view source) {
  auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
  TQuotedLines result;
  TStringList& lines = result.lines;
  std::size_t i = 0;
  while (i < source.size()) {
    std::string paragraph;
    while (i < source.size()) {
      const char c = source[i++];
      if (isLineEnd(c) && i < source.size()) {
        if (isLineEnd(source[i])) ++i;
        break;
      }
      paragraph += c;
    }
    if (paragraph.size() > TQuotedPrintable::kParagraphLimit) {
      result.tooLarge = true;
      return result;
    }
    std::string_view rest(paragraph);
    while (rest.size() >= 65) {
      std::size_t cut = 65;
      for (std::size_t k = std::min(rest.size() - 1, std::size_t{65}); k >= 1; --k) {
        if (rest[k] == ' ') {
          cut = k;
          break;
        }
      }
      lines.push_back(ReferenceEscaped(rest.substr(0, cut)) + "=");
      rest.remove_prefix(cut);
    }
    lines.push_back(ReferenceEscaped(rest));
  }
  return result;
}

// Encodes `content` and checks lines and failure against the reference.
void ExpectQuotedPrintableAsReference(const std::string& content) {
  const TQuotedLines expected = ReferenceQuotedPrintable(content);
  TMemoryStream stream(std::vector<std::uint8_t>(content.begin(), content.end()));
  TStringList quoted;
  if (expected.tooLarge) {
    EXPECT_THROW(TQuotedPrintable(stream, quoted).Encode(), std::runtime_error) << "size " << content.size();
  } else {
    TQuotedPrintable(stream, quoted).Encode();
  }
  EXPECT_EQ(quoted, expected.lines) << "size " << content.size();
}

TMemoryStream StreamOf(const std::string& content) {
  return TMemoryStream(std::vector<std::uint8_t>(content.begin(), content.end()));
}

// The lines an encoder hands out for `content`.
TStringList LinesOf(void (*encodeLines)(TStream&, const TLineSink&), const std::string& content) {
  TStringList lines;
  auto stream = StreamOf(content);
  encodeLines(stream, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

// Random contents of `size` bytes drawn from `alphabet` (all bytes when
// empty), so that binary data, text with blanks and runs of line ends all
// reach the encoders.
struct TContentKind {
  const char* name;
  std::string alphabet;
};

void PrintTo(const TContentKind& kind, std::ostream* out) { *out << kind.name; }

std::string RandomContent(std::mt19937& engine, std::size_t size, const std::string& alphabet) {
  std::string content(size, '\0');
  for (auto& c : content) {
    const auto draw = engine();
    c = alphabet.empty() ? static_cast<char>(draw) : alphabet[draw % alphabet.size()];
  }
  return content;
}

class EncodersAgainstReference : public testing::TestWithParam<TContentKind> {
 protected:
  // Sizes around the line lengths, then random ones.
  std::vector<std::size_t> Sizes() {
    std::vector<std::size_t> sizes;
    for (std::size_t size = 0; size < 200; ++size) sizes.push_back(size);
    for (int k = 0; k < 20; ++k) sizes.push_back(engine_() % 5000);
    return sizes;
  }

  std::mt19937 engine_{2000};
};

TEST_P(EncodersAgainstReference, SameLines) {
  for (const std::size_t size : Sizes()) {
    const std::string content = RandomContent(engine_, size, GetParam().alphabet);
    ASSERT_EQ(LinesOf(EncodeBase64Lines, content), ReferenceBase64Lines(content)) << "size " << size;
    ASSERT_EQ(LinesOf(EncodeUULines, content), ReferenceUULines(content)) << "size " << size;
    ExpectQuotedPrintableAsReference(content);
  }
}

INSTANTIATE_TEST_SUITE_P(Contents, EncodersAgainstReference,
                         testing::Values(TContentKind{"Binary", ""}, TContentKind{"TextWithBlanks", "ab  c=\t\xe9"},
                                         TContentKind{"ShortLines", "xy \r\n"}, TContentKind{"LineEnds", "\r\n"},
                                         TContentKind{"Blanks", " "}),
                         [](const auto& info) { return std::string(info.param.name); });

// Contents that end at, just before and just after the end of a read block
// of whole Base64 or UU lines.
TEST(LinesAcrossReadBlocks, SameLinesAsReference) {
  std::mt19937 engine(11);
  for (const std::size_t size : {0u, 1u, 57u, 58u, 58367u, 58368u, 58369u, 46079u, 46080u, 46081u, 200000u}) {
    const std::string content = RandomContent(engine, size, "");
    EXPECT_EQ(LinesOf(EncodeBase64Lines, content), ReferenceBase64Lines(content)) << "size " << size;
    EXPECT_EQ(LinesOf(EncodeUULines, content), ReferenceUULines(content)) << "size " << size;

    // The block-at-a-time road into a message gives the same lines.
    std::string expected;
    for (const auto& line : ReferenceBase64Lines(content)) expected += line + "\r\n";
    auto blockStream = StreamOf(content);
    TMemoryStream message;
    TLineWriter writer(message);
    WriteBase64Lines(blockStream, writer);
    writer.Flush();
    EXPECT_EQ(std::string(message.Bytes().begin(), message.Bytes().end()), expected) << "size " << size;
  }
}

// Paragraphs held over two read blocks, a CR LF split between them, and a
// last paragraph too large: the lines before it stay.
TEST(QuotedPrintableBlocks, ParagraphsAndLineEndsAcrossReadBlocks) {
  std::mt19937 engine(7);
  std::string content = RandomContent(engine, 170000, "");
  for (auto& c : content) {
    if (c == '\r' || c == '\n') c = 'n';
  }
  for (const std::size_t at : {20000u, 40000u, 50000u, 65535u, 80000u, 100000u, 120000u, 131071u, 140000u})
    content[at] = '\r';
  for (const std::size_t at : {65536u, 131072u}) content[at] = '\n';
  ExpectQuotedPrintableAsReference(content);
}

// The vector path of the 6-bit group writer against the portable one, for
// every length around its 12- and 16-byte steps and every start alignment.
TEST(SextetWriter, VectorPathGivesThePortableCharacters) {
  std::mt19937 engine(5);
  const std::string bytes = RandomContent(engine, 256, "");
  for (const TSextetAlphabet alphabet : {TSextetAlphabet::Base64, TSextetAlphabet::UU}) {
    for (std::size_t start = 0; start < 16; ++start) {
      for (std::size_t size = 0; start + size <= bytes.size(); ++size) {
        const std::string_view input = std::string_view(bytes).substr(start, size);
        std::string fast(size / 3 * 4 + 3, '\0');
        std::string portable(fast.size(), '\0');
        fast.resize(static_cast<std::size_t>(WriteSextets(input, fast.data(), alphabet) - fast.data()));
        portable.resize(static_cast<std::size_t>(WriteSextetsPortable(input, portable.data(), alphabet) - portable.data()));
        ASSERT_EQ(fast, portable) << "start " << start << ", size " << size;
      }
    }
  }
}

}  // namespace
