#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "output/read_bitmap_file.h"
#include "output/write_bitmap_file.h"

namespace {

// A BMP file image: 40-byte header with the given fields, a grey colour
// table of `colors` entries, then `pixels`.
std::vector<std::uint8_t> InfoFile(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
                                   std::uint32_t colors, const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> file(54 + 4 * colors);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size() + pixels.size()));
  put32(10, static_cast<std::uint32_t>(file.size()));
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  file[26] = 1;
  file[28] = static_cast<std::uint8_t>(bits);
  put32(30, compression);
  put32(34, static_cast<std::uint32_t>(pixels.size()));
  put32(46, colors);
  for (std::uint32_t i = 0; i < colors; ++i) std::memset(&file[54 + 4 * i], static_cast<int>(i * 10), 3);
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// The file read from disk, where its pixel data goes straight into the
// image's rows (DecodeBitmap reads the same bytes from memory).
TBitmap ReadFromDisk(const std::vector<std::uint8_t>& file) {
  const auto path = std::filesystem::temp_directory_path() / ("grabwell_bmp_" + std::to_string(::getpid()) + ".bmp");
  TMemoryStream(file).SaveToFile(path.string());
  TBitmap image = ReadBitmapFile(path.string());
  std::filesystem::remove(path);
  return image;
}

// Colour indices of an 8- or 4-bit image, top row first.
std::vector<std::vector<int>> Indices(const TBitmap& image) {
  std::vector<std::vector<int>> rows;
  for (int y = 0; y < image.Height(); ++y) {
    std::vector<int> row;
    for (int x = 0; x < image.Width(); ++x) {
      const std::uint8_t byte = image.BitsPerPixel() == 8 ? image.Row(y)[x] : image.Row(y)[x / 2];
      row.push_back(image.BitsPerPixel() == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F));
    }
    rows.push_back(row);
  }
  return rows;
}

struct TRLECase {
  const char* name;
  int bits;
  int width;
  int height;
  std::vector<std::uint8_t> data;
  std::vector<std::vector<int>> expected;  // top row first
};

class RunLengthExpansion : public testing::TestWithParam<TRLECase> {};

TEST_P(RunLengthExpansion, GivesTheExpectedIndices) {
  const TRLECase& c = GetParam();
  const std::vector<std::uint8_t> file = InfoFile(c.width, c.height, c.bits, c.bits == 8 ? 1 : 2, 16, c.data);
  EXPECT_EQ(Indices(DecodeBitmap(file)), c.expected);
  EXPECT_EQ(Indices(ReadFromDisk(file)), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Escapes, RunLengthExpansion, testing::Values(
  TRLECase{"rle8_runs_fill_rows", 8, 3, 2, {3, 1, 0, 0, 3, 2, 0, 1}, {{2, 2, 2}, {1, 1, 1}}},
  TRLECase{"rle8_delta_skips_up_and_right", 8, 3, 3, {1, 4, 0, 2, 1, 2, 1, 5, 0, 1}, {{0, 0, 5}, {0, 0, 0}, {4, 0, 0}}},
  TRLECase{"rle8_early_end_leaves_zeros", 8, 2, 2, {1, 7, 0, 1}, {{0, 0}, {7, 0}}},
  TRLECase{"rle8_odd_absolute_run_is_padded", 8, 4, 1, {0, 3, 9, 8, 7, 0, 1, 6, 0, 1}, {{9, 8, 7, 6}}},
  TRLECase{"rle8_end_of_line_after_top_row_ends_data", 8, 2, 1, {2, 3, 0, 0}, {{3, 3}}},
  TRLECase{"rle4_odd_run_alternates", 4, 3, 1, {3, 0xAB, 0, 1}, {{10, 11, 10}}},
  TRLECase{"rle4_absolute_nibbles", 4, 5, 1, {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, {{1, 2, 3, 4, 5}}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(BitmapReader, TopDownFileGivesTheSameImageAsBottomUp) {
  const std::vector<std::uint8_t> rows = {1, 2, 3, 0, 4, 5, 6, 0};  // two 8-bit rows of 3 pixels
  const std::vector<std::uint8_t> flipped = {4, 5, 6, 0, 1, 2, 3, 0};
  const TBitmap bottomUp = DecodeBitmap(InfoFile(3, 2, 8, 0, 16, rows));
  const TBitmap topDown = DecodeBitmap(InfoFile(3, -2, 8, 0, 16, flipped));
  EXPECT_TRUE(std::ranges::equal(topDown.Bits(), bottomUp.Bits()));
  EXPECT_EQ(Indices(topDown), (std::vector<std::vector<int>>{{4, 5, 6}, {1, 2, 3}}));
  EXPECT_EQ(ReadFromDisk(InfoFile(3, -2, 8, 0, 16, flipped)), topDown);
  EXPECT_EQ(ReadFromDisk(InfoFile(3, 2, 8, 0, 16, rows)), bottomUp);

  // Pixel data far past the headers (a gap after the colour table), which
  // the reader from disk fetches from its place in the file.
  std::vector<std::uint8_t> gapped = InfoFile(3, 2, 8, 0, 16, {});
  gapped.resize(3000, 0xEE);
  gapped.insert(gapped.end(), rows.begin(), rows.end());
  for (int i = 0; i < 4; ++i) gapped[10 + i] = static_cast<std::uint8_t>(3000 >> (8 * i));
  EXPECT_EQ(ReadFromDisk(gapped), bottomUp);
}

TEST(BitmapReader, PlainSixteenBitIsFiveFiveFive) {
  const TBitmap image = DecodeBitmap(InfoFile(1, 1, 16, 0, 0, {0x00, 0x7C, 0, 0}));
  EXPECT_EQ(image.ColorMasks(), kMasks555);
  EXPECT_EQ(image.PixelColor(0, 0), (TRGBQuad{0, 0, 255, 0}));
}

TEST(BitmapReader, ShortColourTableIsKeptAtItsLength) {
  const TBitmap image = DecodeBitmap(InfoFile(2, 1, 8, 0, 3, {2, 1, 0, 0}));
  EXPECT_EQ(image.ColorTable().size(), 3u);
  EXPECT_EQ(image.PixelColor(0, 0), (TRGBQuad{20, 20, 20, 0}));
}

// Pictures without pixels: a file may name rows of no width or columns of no
// height (and carry stray bytes after the headers); they decode, and what the
// writer makes of them reads back the same.
TEST(BitmapReader, PicturesWithoutPixelsSurviveAWriteAndReadBack) {
  const struct {
    std::int32_t width;
    std::int32_t height;
    int bits;
    std::vector<std::uint8_t> trailing;
  } cases[] = {{0, 0, 24, {}}, {0, 2, 8, {7, 7, 7}}, {0, -3, 32, {}}, {3, 0, 4, {1, 2}}, {0, 5, 1, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.bits << " bits");
    const std::uint32_t colors = c.bits <= 8 ? 2 : 0;
    const TBitmap image = DecodeBitmap(InfoFile(c.width, c.height, c.bits, 0, colors, c.trailing));
    EXPECT_EQ(image.Width(), c.width);
    EXPECT_EQ(image.Height(), c.height < 0 ? -c.height : c.height);
    TMemoryStream file;
    SaveBitmapToStream(image, file);
    const TBitmap again = DecodeBitmap(file.Bytes());
    EXPECT_EQ(again.Width(), image.Width());
    EXPECT_EQ(again.Height(), image.Height());
    EXPECT_EQ(again.BitsPerPixel(), image.BitsPerPixel());
  }
}

}  // namespace
