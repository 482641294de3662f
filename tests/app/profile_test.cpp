#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/scratch_profile.h"

namespace {

using namespace std::string_literals;

struct TReadCase {
  const char* Name;
  std::string File;  // empty: no file at all
  const char* Section;
  const char* Key;
  const char* Default;
  std::size_t BufferSize;
  std::string Expected;
};

class ProfileRead : public ::testing::TestWithParam<TReadCase> {};

TEST_P(ProfileRead, ReturnsWhatTheWindowsLookupReturns) {
  const TReadCase& c = GetParam();
  TScratchProfile scratch;
  if (!c.File.empty()) scratch.Plant(c.File);
  EXPECT_EQ(scratch.Open()->ReadString(c.Section, c.Key, c.Default, c.BufferSize), c.Expected);
}

const std::string kLongLine(100000, 'x');

const TReadCase kReadCases[] = {
    {"AbsentFileGivesDefault", "", "EMail", "SMTP Port", "25", 15, "25"},
    {"PlainValue", "[EMail]\r\nSMTP Host=mail.example.com\r\n", "EMail", "SMTP Host", "", 250, "mail.example.com"},
    {"SectionAndKeyIgnoreCase", "[email]\r\nsmtp HOST=x\r\n", "EMail", "SMTP Host", "", 250, "x"},
    {"BlanksAroundTrimmed", "[A]\r\n  key  =   two  words   \r\n", "A", "key", "", 250, "two  words"},
    {"DoubleQuotesRemoved", "[A]\r\nk=\" padded \"\r\n", "A", "k", "", 250, " padded "},
    {"SingleQuotesRemoved", "[A]\r\nk='x'\r\n", "A", "k", "", 250, "x"},
    {"OnlyOnePairOfQuotes", "[A]\r\nk=\"\"x\"\"\r\n", "A", "k", "", 250, "\"x\""},
    {"UnmatchedQuoteKept", "[A]\r\nk=\"x\r\n", "A", "k", "", 250, "\"x"},
    {"FirstKeyWins", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "", 15, "1"},
    {"EmptyValueIsNotDefault", "[A]\r\nk=\r\n", "A", "k", "d", 15, ""},
    {"MissingKeyGivesDefault", "[A]\r\nj=1\r\n", "A", "k", "d", 15, "d"},
    {"MissingSectionGivesDefault", "[B]\r\nk=1\r\n", "A", "k", "d", 15, "d"},
    {"KeyOfOtherSectionNotSeen", "[A]\r\nj=1\r\n[B]\r\nk=2\r\n", "A", "k", "d", 15, "d"},
    {"LineWithoutEqualsIgnored", "[A]\r\njunk line\r\nk=5\r\n", "A", "k", "d", 15, "5"},
    {"LineWithoutEqualsIsNoKey", "[A]\r\nk\r\n", "A", "k", "d", 15, "d"},
    {"UnixLineEnds", "[A]\nj=1\nk=2\n", "A", "k", "", 15, "2"},
    {"NoLineEndAtTheEnd", "[A]\r\nk=last", "A", "k", "", 15, "last"},
    {"SectionNameTrimmed", "[ A ]\r\nk=1\r\n", "A", "k", "d", 15, "1"},
    {"SectionWithoutBracketIsNone", "[A\r\nk=1\r\n", "A", "k", "d", 15, "d"},
    {"IndentedLinesAndTabs", "   [A]\r\n\tk\t=\t1\t\r\n", "A", "k", "d", 15, "1"},
    {"QuotesRemovedAfterTrimming", "[A]\r\nk=  \"x\"  \r\n", "A", "k", "d", 15, "x"},
    {"QuotedValueCutToBuffer", "[A]\r\nk=\"12345678901234567\"\r\n", "A", "k", "d", 15, "12345678901234"},
    {"NulEndsTheValue",
     "[A]\r\nk=1\0"
     "2\r\n"s,
     "A", "k", "d", 15, "1"},
    {"NulEndsTheSectionName", "[A\0junk]\r\nk=1\r\n"s, "A", "k", "d", 15, "1"},
    {"CarriageReturnLineEnds", "[A]\rj=1\rk=2\r", "A", "k", "", 15, "2"},
    {"OnlyTheFirstSectionOfANameCounts", "[A]\r\nj=1\r\n[B]\r\nk=2\r\n[a]\r\nk=3\r\n", "A", "k", "d", 15, "d"},
    {"ValueCutToBuffer", "[A]\r\nk=12345678901234567890\r\n", "A", "k", "", 15, "12345678901234"},
    {"DefaultCutToBuffer", "", "A", "k", "abcdefghijklmnopqrstuvwxyz", 5, "abcd"},
    {"DefaultLosesTrailingBlanks", "", "A", "k", "abc  ", 15, "abc"},
    {"OneCharacterBufferGivesEmpty", "[A]\r\nk=1\r\n", "A", "k", "", 1, ""},
    {"OverLongLinesAround", kLongLine + "\r\n[A]\r\nk=" + kLongLine + "\r\n", "A", "k", "", 250, std::string(249, 'x')},
    {"GarbageLinesSkipped", "\x01\x02\x7f garbage ]]]\r\n==\r\n[\r\n[A]\r\nk=7\r\n", "A", "k", "", 15, "7"},
    {"NulBytesInOtherLines", "[A]\r\nj=a\0b\r\nk=7\r\n"s, "A", "k", "", 15, "7"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// The non-blank lines of a file, without their line ends.
std::vector<std::string> Lines(const std::string& contents) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : contents + "\n") {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  return lines;
}

struct TWrite {
  const char* Section;
  const char* Key;
  const char* Value;
};

struct TWriteCase {
  const char* Name;
  std::string File;  // empty: no file at all
  std::vector<TWrite> Writes;
  std::vector<std::string> ExpectedLines;
};

class ProfileWrite : public ::testing::TestWithParam<TWriteCase> {};

TEST_P(ProfileWrite, EditsTheFileInPlace) {
  const TWriteCase& c = GetParam();
  TScratchProfile scratch;
  if (!c.File.empty()) scratch.Plant(c.File);
  auto profile = scratch.Open();
  for (const TWrite& write : c.Writes) EXPECT_TRUE(profile->WriteString(write.Section, write.Key, write.Value));
  EXPECT_EQ(Lines(scratch.Contents()), c.ExpectedLines);
  for (const TWrite& write : c.Writes) {
    EXPECT_EQ(profile->ReadString(write.Section, write.Key, "?", 250), write.Value) << write.Key;
  }
}

const TWriteCase kWriteCases[] = {
    {"CreatesFileAndSection", "", {{"EMail", "SMTP Host", "mail"}}, {"[EMail]", "SMTP Host=mail"}},
    {"ReplacesValueKeepingOtherLines",
     "[A]\r\nx=1\r\nk=old\r\ny=2\r\n[B]\r\nk=b\r\n",
     {{"A", "k", "new"}},
     {"[A]", "x=1", "k=new", "y=2", "[B]", "k=b"}},
    {"ReplacesCaseInsensitively",
     "[misc]\r\nfirst time=Yes\r\n",
     {{"Misc", "First Time", "No"}},
     {"[misc]", "first time=No"}},
    {"NewKeyJoinsItsSection",
     "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n",
     {{"A", "k", "v"}},
     {"[A]", "x=1", "k=v", "[B]", "y=2"}},
    {"NewSectionAtTheEnd", "[A]\r\nx=1\r\n", {{"B", "k", "v"}}, {"[A]", "x=1", "[B]", "k=v"}},
    {"NoLineEndAtTheEnd", "[A]\r\nx=1", {{"A", "k", "v"}}, {"[A]", "x=1", "k=v"}},
    {"KeysKeepTheirWritingOrder",
     "",
     {{"EMail", "a", "1"}, {"Misc", "b", "2"}, {"EMail", "c", "3"}},
     {"[EMail]", "a=1", "c=3", "[Misc]", "b=2"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Profile, LineBreaksInAValueCannotAddLines) {
  TScratchProfile scratch;
  auto profile = scratch.Open();
  EXPECT_TRUE(profile->WriteString("A", "k", "one\r\n[B]\nk=two"));
  EXPECT_EQ(profile->ReadString("A", "k", "", 250), "one  [B] k=two");
  EXPECT_EQ(profile->ReadString("B", "k", "absent", 250), "absent");
}

struct TCutCase {
  std::string Text;
  std::size_t Max;
  std::string Expected;
};

class CutToCharactersCases : public ::testing::TestWithParam<TCutCase> {};

TEST_P(CutToCharactersCases, NeverSplitsACharacter) {
  EXPECT_EQ(CutToCharacters(GetParam().Text, GetParam().Max), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CutToCharactersCases,
    ::testing::Values(TCutCase{"abcdef", 3, "abc"}, TCutCase{"abc", 10, "abc"}, TCutCase{"abc", 0, ""},
                      // "é" is two bytes, one character.
                      TCutCase{"\xC3\xA9\xC3\xA9\xC3\xA9", 2, "\xC3\xA9\xC3\xA9"},
                      // A character beyond U+FFFF counts two, and does not fit in one.
                      TCutCase{"a\xF0\x9F\x98\x80"
                               "b",
                               2, "a"},
                      TCutCase{"a\xF0\x9F\x98\x80"
                               "b",
                               3, "a\xF0\x9F\x98\x80"},
                      // Invalid bytes count one each; a truncated sequence is not read past the end.
                      TCutCase{"\xFF\xFE\xC3", 2, "\xFF\xFE"}, TCutCase{"x\xE2\x82", 5, "x\xE2\x82"}));

}  // namespace

#ifndef _WIN32
#include <filesystem>

#include "platform/posix/ini_profile.h"

namespace {

TEST(IniProfile, OversizedFileIsNeitherReadNorOverwritten) {
  TScratchProfile scratch;
  const std::string huge = "[A]\r\nk=1\r\n" + std::string(kMaxIniFileSize, 'x');
  scratch.Plant(huge);
  auto profile = scratch.Open();
  EXPECT_EQ(profile->ReadString("A", "k", "d", 15), "d");
  EXPECT_FALSE(profile->WriteString("A", "k", "2"));
  EXPECT_EQ(scratch.Contents().size(), huge.size());
}

TEST(IniProfile, FolderInPlaceOfTheFileFailsTheWrite) {
  TScratchProfile scratch;
  std::filesystem::create_directory(scratch.Path());
  auto profile = scratch.Open();
  EXPECT_EQ(profile->ReadString("A", "k", "d", 15), "d");
  EXPECT_FALSE(profile->WriteString("A", "k", "2"));
  std::filesystem::remove(scratch.Path());
}

TEST(IniProfile, UnwritableFolderFailsTheWriteAndLeavesNoFile) {
  TIniProfile profile("/proc/no_such_folder/GRBWEL.INI");
  EXPECT_FALSE(profile.WriteString("A", "k", "v"));
  EXPECT_EQ(profile.ReadString("A", "k", "d", 15), "d");
}

TEST(IniProfile, WindowsDirectoryComesFromTheEnvironment) {
  TScratchProfile scratch;  // points GRABWELL_WINDIR at a private folder
  const std::filesystem::path path(PrivateProfilePath("GRBWEL.INI"));
  EXPECT_EQ(path.filename(), "GRBWEL.INI");
  EXPECT_EQ(path.parent_path(), std::filesystem::path(std::getenv("GRABWELL_WINDIR")));
}

// Damaged texts: every lookup and update must stay inside the text and keep
// the bytes it does not change.
class DamagedIniText : public ::testing::TestWithParam<std::string> {};

TEST_P(DamagedIniText, LookupAndUpdateStayWellBehaved) {
  const std::string& text = GetParam();
  (void)FindIniValue(text, "A", "k");
  const std::string updated = SetIniValue(text, "A", "k", "value");
  EXPECT_EQ(FindIniValue(updated, "A", "k"), "value");
  // Updating again changes nothing more.
  EXPECT_EQ(SetIniValue(updated, "A", "k", "value"), updated);
}

INSTANTIATE_TEST_SUITE_P(Texts, DamagedIniText,
                         ::testing::Values(std::string(), std::string("\0\0\0", 3), std::string("[A"),
                                           std::string("[A]"), std::string("[]\r\n=\r\n[\r\n]"),
                                           std::string("[A]\rk\r\r\r"), std::string("\xEF\xBB\xBF[A]\nk=1"),
                                           std::string("[A]\nk=\"", 7), std::string(70000, '['),
                                           std::string("[A]\n") + std::string(70000, '='),
                                           std::string("[A]\x00\nk=1\x00\n", 11)));

}  // namespace
#endif
