#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "output/read_bitmap_file.h"
#include "output/write_bitmap_file.h"
#include "tests/output/test_pictures.h"

namespace {

std::vector<std::uint8_t> Encode(const TBitmap& image) {
  TMemoryStream stream;
  SaveBitmapToStream(image, stream);
  return stream.Bytes();
}

struct TRoundTripCase {
  TPictureCase picture;
  int width;
};

class BitmapRoundTrip : public testing::TestWithParam<TRoundTripCase> {};

// Every depth the writer produces reads back unchanged: same depth, same
// stored rows (so no conversion happened), same masks and colour table.
TEST_P(BitmapRoundTrip, ReadsBackInTheSameDepth) {
  const TBitmap image = MakePicture(GetParam().picture, GetParam().width, 3);
  const TBitmap back = DecodeBitmap(Encode(image));
  EXPECT_EQ(back.BitsPerPixel(), image.BitsPerPixel());
  EXPECT_EQ(back.Width(), image.Width());
  EXPECT_EQ(back.Height(), image.Height());
  EXPECT_TRUE(std::ranges::equal(back.Bits(), image.Bits()));
  EXPECT_EQ(back.HasColorMasks(), image.HasColorMasks());
  if (image.HasColorMasks()) {
    EXPECT_EQ(back.ColorMasks(), image.ColorMasks());
  }
  EXPECT_EQ(back.ColorTable(), image.ColorTable());
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) ASSERT_EQ(back.PixelColor(x, y), image.PixelColor(x, y)) << x << "," << y;
  }
}

std::vector<TRoundTripCase> RoundTripCases() {
  std::vector<TRoundTripCase> cases;
  for (const TPictureCase& picture : PictureCases()) {
    for (int width : {1, 2, 37}) cases.push_back({picture, width});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapRoundTrip, testing::ValuesIn(RoundTripCases()), [](const auto& info) {
  return info.param.picture.name + "_w" + std::to_string(info.param.width);
});

struct TGoldenCase {
  const char* name;
  TBitmap image;
  std::vector<std::uint8_t> header;  // everything before the pixel rows
};

class BitmapGoldenHeader : public testing::TestWithParam<TGoldenCase> {};

TEST_P(BitmapGoldenHeader, HeadersAreByteExact) {
  const TGoldenCase& c = GetParam();
  const std::vector<std::uint8_t> file = Encode(c.image);
  ASSERT_EQ(file.size(), c.header.size() + c.image.Bits().size());
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + c.header.size()), c.header);
}

TBitmap TwoColourMono() {
  TBitmap image(3, 2, 1);
  image.ColorTable() = {{0, 0, 0, 0}, {0x10, 0x20, 0x30, 0}};
  return image;
}

// clang-format off
const TGoldenCase kGoldenCases[] = {
  {"rgb24_3x2", TBitmap(3, 2, 24), {
    'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
    40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  {"rgb565_2x1_bitfields", TBitmap::DeviceFormat(2, 1, 16), {
    'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 66, 0, 0, 0,
    40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 16, 0, 3, 0, 0, 0, 4, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}},
  {"mono_3x2_with_table", TwoColourMono(), {
    'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
    40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 8, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0x10, 0x20, 0x30, 0}},
  {"plain32_1x1", TBitmap(1, 1, 32), {
    'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
    40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 4, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Layouts, BitmapGoldenHeader, testing::ValuesIn(kGoldenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapFile, FileHoldsTheStreamBytesAndReplacesAnOldFile) {
  const auto path = std::filesystem::temp_directory_path() / "grabwell_bmp_writer_test.bmp";
  TMemoryStream(std::vector<std::uint8_t>(5000, 0xEE)).SaveToFile(path.string());
  const TBitmap image = MakePicture(PictureCases()[2], 5, 4);
  WriteBitmapFile(image, path.string());
  EXPECT_EQ(ReadWholeFile(path.string()), Encode(image));
  std::filesystem::remove(path);
}

TEST(BitmapFile, UncreatableFileRaisesTheStreamError) {
  const std::string path = "/nonexistent-folder/Image1.bmp";
  try {
    WriteBitmapFile(TBitmap(1, 1, 24), path);
    FAIL() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
  }
}

}  // namespace
