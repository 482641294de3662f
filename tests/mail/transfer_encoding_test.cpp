#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/quoted_printable.h"
#include "mail/transfer_encodings.h"

namespace {

std::vector<std::string> Base64Lines(const std::string& content) {
  TMemoryStream stream(std::vector<std::uint8_t>(content.begin(), content.end()));
  std::vector<std::string> lines;
  EncodeBase64Lines(stream, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::vector<std::string> UULines(const std::string& content) {
  TMemoryStream stream(std::vector<std::uint8_t>(content.begin(), content.end()));
  std::vector<std::string> lines;
  EncodeUULines(stream, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

TStringList QuotedPrintable(const std::string& source) {
  TMemoryStream stream(std::vector<std::uint8_t>(source.begin(), source.end()));
  TStringList lines;
  TQuotedPrintable(stream, lines).Encode();
  return lines;
}

std::vector<std::size_t> Lengths(const std::vector<std::string>& lines) {
  std::vector<std::size_t> lengths;
  for (const auto& line : lines) lengths.push_back(line.size());
  return lengths;
}

std::string Base64Chunk(std::string_view bytes) {
  std::string out = "stale";
  EncodeBase64Chunk(bytes, out);
  return out;
}

TEST(Base64Chunk, KnownTexts) {
  EXPECT_EQ(Base64Chunk("abc"), "YWJj");
  EXPECT_EQ(Base64Chunk(""), "");
  EXPECT_EQ(Base64Chunk("a"), "YQ==");
  EXPECT_EQ(Base64Chunk("ab"), "YWI=");
  EXPECT_EQ(Base64Chunk(std::string("\xff\xfe\x00", 3)), "//4A");
}

TEST(Base64Chunk, ResultIsCutAt255CharactersButWholeTextIsNot) {
  EXPECT_EQ(Base64Chunk(std::string(190, 'x')).size(), 255u);
  EXPECT_EQ(Base64Chunk(std::string(189, 'x')).size(), 252u);
  EXPECT_EQ(EncodeBase64(std::string(190, 'x')).size(), 256u);
}

struct TLineShape {
  std::size_t size;
  std::vector<std::size_t> lengths;
};

class Base64LinesShape : public testing::TestWithParam<TLineShape> {};

TEST_P(Base64LinesShape, LineLengthsAndPadding) {
  const auto lines = Base64Lines(std::string(GetParam().size, 'q'));
  EXPECT_EQ(Lengths(lines), GetParam().lengths);
  // Only the last line may carry padding.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_EQ(lines[i].find('='), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Base64LinesShape,
                         testing::Values(TLineShape{0, {0}}, TLineShape{1, {4}}, TLineShape{44, {60}},
                                         TLineShape{45, {60}}, TLineShape{46, {64}}, TLineShape{56, {76}},
                                         TLineShape{57, {76, 0}}, TLineShape{58, {76, 4}}, TLineShape{114, {76, 76, 0}},
                                         TLineShape{115, {76, 76, 4}}));

TEST(Base64Lines, FiftyEightBytesEndWithDoublePadding) {
  const auto lines = Base64Lines(std::string(58, 'q'));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[1].ends_with("=="));
}

TEST(UULine, KnownLines) {
  EXPECT_EQ(EncodeUULine("abc"), "#86)C");
  EXPECT_EQ(EncodeUULine(""), "`");
  EXPECT_EQ(EncodeUULine("a").size(), 3u);
  EXPECT_EQ(EncodeUULine("a").front(), '!');
  // Zero bits encode as the grave accent, never as a blank.
  EXPECT_EQ(EncodeUULine(std::string(3, '\0')), "#````");
  EXPECT_EQ(EncodeUULine(std::string(60, 'z')), EncodeUULine(std::string(45, 'z')));
}

class UULinesShape : public testing::TestWithParam<TLineShape> {};

TEST_P(UULinesShape, LineLengths) {
  EXPECT_EQ(Lengths(UULines(std::string(GetParam().size, 'u'))), GetParam().lengths);
}

INSTANTIATE_TEST_SUITE_P(Sizes, UULinesShape,
                         testing::Values(TLineShape{0, {1}}, TLineShape{1, {3}}, TLineShape{2, {4}},
                                         TLineShape{44, {60}}, TLineShape{45, {61, 1}}, TLineShape{46, {61, 3}},
                                         TLineShape{56, {61, 16}}, TLineShape{57, {61, 17}}, TLineShape{58, {61, 19}},
                                         TLineShape{90, {61, 61, 1}}));

TEST(UULines, FullLineStartsWithMAndEndsWithGraveLine) {
  const auto lines = UULines(std::string(45, 'u'));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].front(), 'M');
  EXPECT_EQ(lines[1], "`");
}

struct TQuotedCase {
  const char* name;
  std::string source;
  TStringList lines;
};

std::ostream& operator<<(std::ostream& out, const TQuotedCase& c) { return out << c.name; }

class QuotedPrintableLines : public testing::TestWithParam<TQuotedCase> {};

TEST_P(QuotedPrintableLines, Encode) { EXPECT_EQ(QuotedPrintable(GetParam().source), GetParam().lines); }

const std::string kSixtyFive(65, 'x');
// 70 characters with blanks: the last blank among positions 2..66 is at 61.
const std::string kSeventy = std::string(30, 'a') + " " + std::string(29, 'b') + " " + std::string(9, 'c');

INSTANTIATE_TEST_SUITE_P(
    Cases, QuotedPrintableLines,
    testing::Values(TQuotedCase{"Empty", "", {}}, TQuotedCase{"Plain", "hello world", {"hello world"}},
                    TQuotedCase{"EscapesEqualsTabAndHighBytes", "a=b\tc\xe9", {"a=3Db=09c=E9"}},
                    TQuotedCase{"TrailingBlanksStay", "end  ", {"end  "}},
                    TQuotedCase{"LineEndsCollapse", "a\r\n\r\nb", {"a", "", "b"}},
                    TQuotedCase{"LfCrIsOneLineEnd", "a\n\rb", {"a", "b"}},
                    TQuotedCase{"CrCrIsOneLineEnd", "a\r\rb", {"a", "b"}},
                    TQuotedCase{"LoneLfAtTheEndIsText", "a\n", {"a=0A"}},
                    TQuotedCase{"CrLfAtTheEndEndsTheLine", "a\r\n", {"a"}}, TQuotedCase{"OnlyALineEnd", "\r\n", {""}},
                    TQuotedCase{"SixtyFourCharactersStayWhole", std::string(64, 'x'), {std::string(64, 'x')}},
                    TQuotedCase{"SixtyFiveWithoutBlanks", kSixtyFive, {kSixtyFive + "=", ""}},
                    TQuotedCase{"CutBeforeLastBlank",
                                kSeventy,
                                {std::string(30, 'a') + " " + std::string(29, 'b') + "=", " " + std::string(9, 'c')}},
                    TQuotedCase{"BlankAtPositionOneIsNoCut",
                                " " + std::string(70, 'y'),
                                {" " + std::string(64, 'y') + "=", std::string(6, 'y')}},
                    TQuotedCase{"BlankAtPositionTwoGivesOneCharacterPiece",
                                "z " + std::string(69, 'y'),
                                {"z=", " " + std::string(64, 'y') + "=", std::string(5, 'y')}},
                    TQuotedCase{"EscapedPieceIsCutBySourceLength",
                                std::string(66, '='),
                                {[] {
                                   std::string line;
                                   for (int i = 0; i < 65; ++i) line += "=3D";
                                   return line + "=";
                                 }(),
                                 "=3D"}}));

TEST(QuotedPrintable, ParagraphAtTheLimitIsAccepted) {
  const auto lines = QuotedPrintable(std::string(TQuotedPrintable::kParagraphLimit, 'p'));
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() - (line.ends_with('=') ? 1 : 0);
  EXPECT_EQ(total, TQuotedPrintable::kParagraphLimit);
}

TEST(QuotedPrintable, ParagraphBeyondTheLimitRaisesAndKeepsEarlierLines) {
  const std::string source = "first\r\n" + std::string(TQuotedPrintable::kParagraphLimit + 1, 'p');
  TMemoryStream stream(std::vector<std::uint8_t>(source.begin(), source.end()));
  TStringList lines;
  try {
    TQuotedPrintable(stream, lines).Encode();
    FAIL() << "an oversized paragraph was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Paragraph is too large");
  }
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "first");
}

TEST(QuotedPrintable, ReadsFromTheStartWhateverThePosition) {
  TMemoryStream stream(std::vector<std::uint8_t>{'a', 'b'});
  stream.SetPosition(2);
  TStringList lines;
  TQuotedPrintable(stream, lines).Encode();
  EXPECT_EQ(lines, TStringList{"ab"});
}

}  // namespace
