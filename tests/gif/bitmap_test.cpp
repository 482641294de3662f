#include "gif/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

TEST(Bitmap, RowsAreStoredBottomUpWithPadding) {
  TBitmap image(3, 2, 24);
  EXPECT_EQ(image.Stride(), 12u);  // 9 bytes of pixels padded to 12
  ASSERT_EQ(image.Bits().size(), 24u);
  image.Row(0)[0] = 0xAB;  // the top row is the last one stored
  EXPECT_EQ(image.Bits()[12], 0xAB);
}

struct StrideCase {
  int width;
  int bits;
  std::size_t stride;
};

class BitmapStride : public testing::TestWithParam<StrideCase> {};

TEST_P(BitmapStride, MatchesBmpRule) {
  EXPECT_EQ(TBitmap::StrideFor(GetParam().width, GetParam().bits), GetParam().stride);
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapStride,
                         testing::Values(StrideCase{1, 1, 4}, StrideCase{33, 1, 8}, StrideCase{9, 4, 8},
                                         StrideCase{5, 8, 8}, StrideCase{3, 16, 8}, StrideCase{1, 24, 4},
                                         StrideCase{5, 24, 16}, StrideCase{3, 32, 12}, StrideCase{0, 24, 0}));

TEST(Bitmap, ConvertTo24KeepsPixelsOfEveryDepth) {
  // One red, one green, one blue, one white pixel in each depth.
  const TRGBQuad expected[4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {255, 255, 255, 0}};

  TBitmap paletted(4, 1, 4);
  for (int i = 0; i < 4; ++i) paletted.ColorTable()[i] = expected[i];
  paletted.Row(0)[0] = 0x01;
  paletted.Row(0)[1] = 0x23;

  TBitmap rgb565(4, 1, 16);
  const std::uint16_t words565[4] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
  TBitmap rgb555(4, 1, 15);
  const std::uint16_t words555[4] = {0x7C00, 0x03E0, 0x001F, 0x7FFF};
  for (int i = 0; i < 4; ++i) {
    rgb565.Row(0)[2 * i] = words565[i] & 0xFF;
    rgb565.Row(0)[2 * i + 1] = words565[i] >> 8;
    rgb555.Row(0)[2 * i] = words555[i] & 0xFF;
    rgb555.Row(0)[2 * i + 1] = words555[i] >> 8;
  }

  TBitmap device32 = TBitmap::DeviceFormat(4, 1, 32);
  for (int i = 0; i < 4; ++i) {
    device32.Row(0)[4 * i] = expected[i].Blue;
    device32.Row(0)[4 * i + 1] = expected[i].Green;
    device32.Row(0)[4 * i + 2] = expected[i].Red;
    device32.Row(0)[4 * i + 3] = 0x77;  // ignored filler byte
  }

  for (TBitmap* image : {&paletted, &rgb565, &rgb555, &device32}) {
    image->ConvertTo24Bit();
    EXPECT_EQ(image->BitsPerPixel(), 24);
    EXPECT_FALSE(image->IsDeviceFormat());
    EXPECT_TRUE(image->ColorTable().empty());
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image->PixelColor(x, 0), expected[x]) << "pixel " << x;
  }
}

class ConvertInPlace : public testing::TestWithParam<int> {};

// 32-bit rows shrink into their own store; every width changes the row
// padding differently.
TEST_P(ConvertInPlace, KeepsPixelsAndZeroesPadding) {
  const int width = GetParam();
  for (bool device : {false, true}) {
    TBitmap image = device ? TBitmap::DeviceFormat(width, 3, 32) : TBitmap(width, 3, 32);
    for (std::size_t i = 0; i < image.Bits().size(); ++i) image.Bits()[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const TBitmap before = image;
    const std::uint8_t* memory = image.Bits().data();
    image.ConvertTo24Bit();
    EXPECT_EQ(image.Bits().data(), memory) << "not in the same memory";
    ASSERT_EQ(image.Bits().size(), TBitmap::StrideFor(width, 24) * 3);
    EXPECT_FALSE(image.IsDeviceFormat());
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) EXPECT_EQ(image.PixelColor(x, y), before.PixelColor(x, y)) << x << "," << y;
      for (std::size_t pad = 3 * static_cast<std::size_t>(width); pad < image.Stride(); ++pad)
        EXPECT_EQ(image.Row(y)[pad], 0) << "padding of row " << y;
    }
  }
}

// The visiting conversion hands over every row once, with its top-down
// number and its bytes as they were, and still converts like the plain one.
TEST_P(ConvertInPlace, VisitorSeesEachOldRowOnce) {
  const int width = GetParam();
  for (int bits : {24, 32}) {
    TBitmap image(width, 4, bits);
    for (std::size_t i = 0; i < image.Bits().size(); ++i) image.Bits()[i] = static_cast<std::uint8_t>(i * 29 + 5);
    const TBitmap before = image;
    TBitmap expected = image;
    expected.ConvertTo24Bit();
    std::vector<int> seen(4, 0);
    image.ConvertPlainTo24Bit([&](int y, const std::uint8_t* row) {
      ASSERT_GE(y, 0);
      ASSERT_LT(y, 4);
      ++seen[static_cast<std::size_t>(y)];
      EXPECT_TRUE(std::equal(row, row + before.Stride(), before.Row(y))) << "row " << y << " at " << bits << " bits";
    });
    EXPECT_EQ(seen, std::vector<int>(4, 1));
    EXPECT_TRUE(image == expected) << bits << " bits";
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, ConvertInPlace, testing::Range(1, 10));

TEST(Bitmap, VisitingConversionRefusesOtherFormats) {
  for (int bits : {1, 8, 16}) {
    TBitmap image(3, 2, bits);
    const TBitmap before = image;
    EXPECT_THROW(image.ConvertPlainTo24Bit([](int, const std::uint8_t*) {}), std::invalid_argument) << bits;
    EXPECT_TRUE(image == before);
  }
  TBitmap masked(3, 2, 32);
  masked.SetColorMasks({0xFF, 0xFF00, 0xFF0000});
  EXPECT_THROW(masked.ConvertPlainTo24Bit([](int, const std::uint8_t*) {}), std::invalid_argument);
}

// A capture's rows live in memory the system made: the image uses them in
// place, frees them once when it goes, and a copy has rows of its own.
TEST(Bitmap, RowsOfSystemMemoryAreUsedInPlaceAndFreedOnce) {
  struct TCountedOwner final : TPixelOwner {
    explicit TCountedOwner(int& freed) : freed_(freed) {}
    ~TCountedOwner() override { ++freed_; }
    int& freed_;
  };
  int freed = 0;
  std::vector<std::uint8_t> memory(TBitmap::StrideFor(5, 32) * 2, 0x40);
  {
    TBitmap image = TBitmap::DeviceFormat(5, 2, 32, memory.data(), std::make_unique<TCountedOwner>(freed));
    image.Row(0)[0] = 0x99;
    EXPECT_EQ(memory[TBitmap::StrideFor(5, 32)], 0x99);  // the top row is stored last
    TBitmap copy = image;
    copy.Row(0)[0] = 0x11;
    EXPECT_EQ(memory[TBitmap::StrideFor(5, 32)], 0x99);
    const TBitmap moved = std::move(image);
    EXPECT_EQ(moved.Bits().data(), memory.data());
    EXPECT_EQ(freed, 0);
  }
  EXPECT_EQ(freed, 1);
}

TEST(Bitmap, RejectsImpossibleFormats) {
  EXPECT_THROW(TBitmap(1, 1, 7), std::invalid_argument);
  EXPECT_THROW(TBitmap(-1, 1, 24), std::invalid_argument);
}

}  // namespace
