#include "app/version_info.h"

#include <gtest/gtest.h>

#include "app/web_pages.h"
#include "platform/text_to_integer.h"

namespace {

TVersionInfo WithFileVersion(const std::string& fileVersion) {
  TVersionStrings strings;
  strings.ProductName = "Grabwell 2000";
  strings.FileVersion = fileVersion;
  TVersionInfo info;
  info.Assign(strings);
  return info;
}

struct TSplitCase {
  const char* FileVersion;
  const char* Major;
  const char* Minor;
  const char* Release;
  const char* Build;
  const char* Label;
};

class FileVersions : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(FileVersions, SplitIntoFourNumbersAndLabel) {
  const TSplitCase& c = GetParam();
  const TVersionInfo info = WithFileVersion(c.FileVersion);
  EXPECT_EQ(info.Major(), c.Major);
  EXPECT_EQ(info.Minor(), c.Minor);
  EXPECT_EQ(info.Release(), c.Release);
  EXPECT_EQ(info.Build(), c.Build);
  EXPECT_EQ(info.VersionLabel(), c.Label);
}

INSTANTIATE_TEST_SUITE_P(Versions, FileVersions,
                         ::testing::Values(TSplitCase{"1.1.0.0", "1", "1", "0", "0", " v 1.1"},
                                           TSplitCase{"2.0.12.7", "2", "0", "12", "7", " v 2.0m"},
                                           TSplitCase{"3.1.30.0", "3", "1", "30", "0", " v 3.1.30"},
                                           TSplitCase{" 4 . 2 . 1 . 99 ", "4", "2", "1", "99", " v 4.2a"},
                                           TSplitCase{"5.6.25.1.9", "5", "6", "25", "1.9", " v 5.6.25"},
                                           // Fewer parts: what is missing stays empty and release counts as 0.
                                           TSplitCase{"1.2", "1", "2", "", "", " v 1.2"},
                                           TSplitCase{"7", "7", "", "", "", " v 7."},
                                           TSplitCase{"", "", "", "", "", ""}));

struct TLetterCase {
  int Release;
  char Letter;
};

class ReleaseLetters : public ::testing::TestWithParam<TLetterCase> {};

TEST_P(ReleaseLetters, SkipLAndO) {
  EXPECT_EQ(ReleaseLetter(GetParam().Release), GetParam().Letter);
  const std::string label = WithFileVersion("1.0." + std::to_string(GetParam().Release) + ".0").VersionLabel();
  EXPECT_EQ(label, std::string(" v 1.0") + GetParam().Letter);
}

INSTANTIATE_TEST_SUITE_P(Releases, ReleaseLetters,
                         ::testing::Values(TLetterCase{1, 'a'}, TLetterCase{11, 'k'}, TLetterCase{12, 'm'},
                                           TLetterCase{13, 'n'}, TLetterCase{14, 'p'}, TLetterCase{23, 'y'},
                                           TLetterCase{24, 'z'}));

TEST(VersionInfo, ReleaseThatIsNoNumberRaisesTheConversionError) {
  const TVersionInfo info = WithFileVersion("1.1.beta.0");
  try {
    (void)info.VersionLabel();
    FAIL() << "no error for a release that is not a number";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'beta' is not a valid integer value");
  }
}

TEST(VersionInfo, NewComponentIsEmptyAndAssignReplacesEverything) {
  TVersionInfo info;
  EXPECT_EQ(info.VersionLabel(), "");
  EXPECT_EQ(info.ProductName(), "");
  info = WithFileVersion("9.8.7.6");
  TVersionStrings other;
  other.Comments = "only comments";
  info.Assign(other);
  EXPECT_EQ(info.Strings().Comments, "only comments");
  EXPECT_EQ(info.ProductName(), "");
  EXPECT_EQ(info.Major(), "");
  EXPECT_EQ(info.VersionLabel(), "");
}

TEST(VersionInfo, KeysFillTheirOwnStringsInResourceOrder) {
  TVersionStrings strings;
  for (const TVersionStringKey& key : kVersionStringKeys) strings.*key.Field = std::string(key.Name);
  EXPECT_EQ(strings.CompanyName, "CompanyName");
  EXPECT_EQ(strings.LegalTradeMarks, "LegalTradeMarks");
  EXPECT_EQ(strings.OriginalFilename, "OriginalFilename");
  EXPECT_EQ(strings.ProductName, "ProductName");
  EXPECT_EQ(strings.Comments, "Comments");
  EXPECT_EQ(kVersionStringKeys.front().Name, "CompanyName");
  EXPECT_EQ(kVersionStringKeys.back().Name, "Comments");
}

struct TPageCase {
  const char* Label;
  const char* Page;
};

class UpdatePages : public ::testing::TestWithParam<TPageCase> {};

TEST_P(UpdatePages, AreNamedAfterTheVersionLabel) {
  EXPECT_EQ(UpdatePageName(GetParam().Label), GetParam().Page);
  EXPECT_EQ(UpdatePageAddress(GetParam().Label), std::string(kUpdateAddressPrefix) + GetParam().Page);
}

INSTANTIATE_TEST_SUITE_P(Labels, UpdatePages,
                         ::testing::Values(TPageCase{" v 1.1", "v1_1.htm"}, TPageCase{" v 2.0m", "v2_0m.htm"},
                                           TPageCase{" v 3.1.30", "v3_1_30.htm"},
                                           TPageCase{"  v 1.1 beta 2 ", "v1_1_beta_2.htm"}));

TEST(UpdatePages, WholeAddressIsLowerCase) {
  const std::string address = UpdatePageAddress(" v 2.0M");
  EXPECT_EQ(address.substr(address.size() - 9), "v2_0m.htm");
  for (char c : address) EXPECT_FALSE(c >= 'A' && c <= 'Z') << address;
}

}  // namespace
