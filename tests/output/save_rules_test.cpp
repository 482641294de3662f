#include "output/save_rules.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "output/open_image.h"

namespace {

TEST(FileNumber, ProposesImageOneThenGrowsWithCompletedSaves) {
  TFileNumber number;
  EXPECT_EQ(number.ProposedName(), "Image1");
  for (int i = 0; i < 3; ++i) number.SaveCompleted();
  EXPECT_EQ(number.ProposedName(), "Image4");
}

TEST(FileNumber, StopsAtNineHundredNinetyNine) {
  TFileNumber number;
  for (int i = 0; i < 998; ++i) number.SaveCompleted();
  EXPECT_EQ(number.ProposedName(), "Image999");
  number.SaveCompleted();
  number.SaveCompleted();
  EXPECT_EQ(number.Value(), 999);
}

// The dialog already asked about the path it returned.
const auto kNotAsked = [](const std::string& path) {
  ADD_FAILURE() << "asked about " << path;
  return true;
};

TEST(CompleteSave, CancelWritesNothingAndKeepsTheNumber) {
  TFileNumber number;
  int writes = 0;
  CompleteSave(number, TSaveFormat::sfBitmap, std::nullopt, kNotAsked, [&](const std::string&) { ++writes; });
  EXPECT_EQ(writes, 0);
  EXPECT_EQ(number.Value(), 1);
}

TEST(CompleteSave, FailedWriteKeepsTheNumberAndPassesTheError) {
  TFileNumber number;
  auto failing = [](const std::string&) { throw std::runtime_error("Stream write error"); };
  EXPECT_THROW(CompleteSave(number, TSaveFormat::sfGIF, "C:\\x\\a.gif", kNotAsked, failing), std::runtime_error);
  EXPECT_EQ(number.Value(), 1);
}

// A path other than the dialog's is asked about before it is written over:
// No writes nothing and keeps the number.
TEST(CompleteSave, WriterGetsTheAdjustedPathOnceItMayBeWritten) {
  TFileNumber number;
  std::string asked, written;
  const auto write = [&](const std::string& path) { written = path; };
  CompleteSave(
      number, TSaveFormat::sfJPEG, "C:\\x\\Image1.jpg",
      [&](const std::string& path) {
        asked = path;
        return false;
      },
      write);
  EXPECT_EQ(asked, "C:\\x\\Image1.jpg.JPG");
  EXPECT_EQ(written, "");
  EXPECT_EQ(number.Value(), 1);

  CompleteSave(
      number, TSaveFormat::sfJPEG, "C:\\x\\Image1.jpg", [](const std::string&) { return true; }, write);
  EXPECT_EQ(written, "C:\\x\\Image1.jpg.JPG");
  EXPECT_EQ(number.Value(), 2);
}

struct TPathCase {
  const char* name;
  TSaveFormat format;
  std::string chosen;
  std::string written;
};

class SavePathRule : public testing::TestWithParam<TPathCase> {};

TEST_P(SavePathRule, GivesTheWrittenPath) {
  EXPECT_EQ(SavePath(GetParam().format, GetParam().chosen), GetParam().written);
}

const std::string kLong(300, 'a');
const std::string kUmlauts = [] {
  std::string s;
  for (int i = 0; i < 300; ++i) s += "\xC3\xA4";  // 300 two-byte characters
  return s;
}();

INSTANTIATE_TEST_SUITE_P(
    Cases, SavePathRule,
    testing::Values(
        TPathCase{"jpeg_lower_case_gets_extension", TSaveFormat::sfJPEG, "C:\\x\\Image1.jpg", "C:\\x\\Image1.jpg.JPG"},
        TPathCase{"jpeg_upper_case_unchanged", TSaveFormat::sfJPEG, "C:\\x\\a.JPG", "C:\\x\\a.JPG"},
        TPathCase{"jpeg_extension_in_folder_counts", TSaveFormat::sfJPEG, "C:\\x.JPG\\b.jpeg", "C:\\x.JPG\\b.jpeg"},
        TPathCase{"jpeg_no_extension", TSaveFormat::sfJPEG, "shot", "shot.JPG"},
        TPathCase{"bitmap_unchanged", TSaveFormat::sfBitmap, "C:\\x\\Image1.bmp", "C:\\x\\Image1.bmp"},
        TPathCase{"gif_lower_case_unchanged", TSaveFormat::sfGIF, "C:\\x\\Image1.gif", "C:\\x\\Image1.gif"},
        TPathCase{"bitmap_cut_to_255", TSaveFormat::sfBitmap, kLong, kLong.substr(0, 255)},
        TPathCase{"exactly_255_kept", TSaveFormat::sfGIF, kLong.substr(0, 255), kLong.substr(0, 255)},
        // The cut comes first, so a ".JPG" beyond character 255 no longer counts.
        TPathCase{"jpeg_extension_beyond_cut_is_lost", TSaveFormat::sfJPEG, kLong + ".JPG",
                  kLong.substr(0, 251) + ".JPG"},
        TPathCase{"jpeg_extension_always_fits", TSaveFormat::sfJPEG, kLong.substr(0, 253),
                  kLong.substr(0, 251) + ".JPG"},
        TPathCase{"cut_counts_characters_not_bytes", TSaveFormat::sfBitmap, kUmlauts, kUmlauts.substr(0, 510)}),
    [](const auto& info) { return std::string(info.param.name); });

struct TOpenCase {
  std::string name;
  TImageFileType type;
};

class OpenImageType : public testing::TestWithParam<TOpenCase> {};

TEST_P(OpenImageType, FollowsTheLastFourCharacters) { EXPECT_EQ(ImageFileTypeOf(GetParam().name), GetParam().type); }

INSTANTIATE_TEST_SUITE_P(
    Names, OpenImageType,
    testing::Values(TOpenCase{"C:\\a\\shot.jpg", TImageFileType::ftJPEG}, TOpenCase{"shot.JpG", TImageFileType::ftJPEG},
                    TOpenCase{"C:\\a\\shot.BMP", TImageFileType::ftBitmap},
                    TOpenCase{"shot.bmp", TImageFileType::ftBitmap}, TOpenCase{"shot.jpeg", TImageFileType::ftUnknown},
                    TOpenCase{"shot.JPEG", TImageFileType::ftUnknown}, TOpenCase{"shot.gif", TImageFileType::ftUnknown},
                    TOpenCase{"bmp", TImageFileType::ftUnknown}, TOpenCase{"", TImageFileType::ftUnknown}));

TEST(OpenImage, UnknownTypeIsRefusedBeforeTheFileIsTouched) {
  try {
    (void)LoadImageFile("/nonexistent/picture.JPEG");
    FAIL() << "no error";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "Unknown file type selected.");
  }
}

}  // namespace
