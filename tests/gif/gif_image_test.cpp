// The GIF image object and the file writer: the exact file layout of the
// program's road, colour-map padding, bitmap conversion and errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gif/gif_exception.h"
#include "gif/gif_image.h"
#include "output/write_gif_file.h"
#include "platform/stream.h"
#include "tests/gif/giflib_decode.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Save(const TGIFImage& image) {
  TMemoryStream stream;
  image.SaveToStream(stream);
  return stream.Bytes();
}

void ExpectGIFError(const std::function<void()>& action, const char* text) {
  try {
    action();
    ADD_FAILURE() << "expected \"" << text << "\"";
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), text);
  }
}

Bytes CubeTable() {
  Bytes table;
  for (int i = 0; i < 256; ++i) {
    const bool cube = i < 216;
    table.push_back(cube ? static_cast<std::uint8_t>(51 * (i / 36)) : 0);
    table.push_back(cube ? static_cast<std::uint8_t>(51 * (i / 6 % 6)) : 0);
    table.push_back(cube ? static_cast<std::uint8_t>(51 * (i % 6)) : 0);
  }
  return table;
}

class GIFImageTest : public testing::Test {
 protected:
  // Each test starts from the library's documented defaults.
  void SetUp() override {
    DefaultColorReduction = rdWebCube;
    DefaultReductionBits = 8;
    DefaultDitherMode = dkNearest;
    DefaultCompression = encRunLength;
  }
  void TearDown() override { DefaultCompression = encLZW; }
};

TEST_F(GIFImageTest, OnePixelCaptureGivesTheRoadLayout) {
  TBitmap capture = TBitmap::DeviceFormat(1, 1, 32);
  capture.Row(0)[0] = 30;  // blue
  capture.Row(0)[1] = 20;  // green
  capture.Row(0)[2] = 10;  // red: all on level 0, index 0
  TGIFImage gif;
  gif.Assign(capture);

  Bytes expected = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0x77, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x87};
  const Bytes table = CubeTable();
  expected.insert(expected.end(), table.begin(), table.end());
  for (std::uint8_t b : {0x08, 0x04, 0x00, 0x01, 0x04, 0x04, 0x00, 0x3B}) expected.push_back(b);
  EXPECT_EQ(Save(gif), expected);

  // The caller's capture was converted in place, pixels unchanged.
  EXPECT_EQ(capture.BitsPerPixel(), 24);
  EXPECT_FALSE(capture.IsDeviceFormat());
  EXPECT_EQ(capture.PixelColor(0, 0), (TRGBQuad{30, 20, 10, 0}));
}

TEST_F(GIFImageTest, EmptyBitmapGivesHeaderScreenAndTrailerOnly) {
  TBitmap empty;
  TGIFImage gif;
  gif.Assign(empty);
  const Bytes expected = {'G', 'I', 'F', '8', '7', 'a', 0, 0, 0, 0, 0x77, 0, 0, 0x3B};
  EXPECT_EQ(Save(gif), expected);
}

TEST_F(GIFImageTest, ImageWithoutFramesIsRefused) {
  TGIFImage gif;
  ExpectGIFError([&] { Save(gif); }, sUnsupportedGIFVersion);
}

struct PaddingCase {
  int entries;
  int sizeBits;  // the low three bits of the packed bytes
  int tableEntries;
  int minimumCodeSize;
};

class ColorMapPadding : public testing::TestWithParam<PaddingCase> {};

TEST_P(ColorMapPadding, FillsTheTableToAPowerOfTwo) {
  const PaddingCase& c = GetParam();
  TBitmap bitmap(5, 3, 8);
  bitmap.ColorTable().resize(static_cast<std::size_t>(c.entries));
  for (int i = 0; i < c.entries; ++i)
    bitmap.ColorTable()[i] = TRGBQuad{static_cast<std::uint8_t>(i), 1, static_cast<std::uint8_t>(255 - i), 0};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) bitmap.Row(y)[x] = static_cast<std::uint8_t>((x + y) % c.entries);
  TGIFImage gif;
  gif.Assign(bitmap);
  const Bytes file = Save(gif);

  EXPECT_EQ(file[10], (c.sizeBits << 4) | c.sizeBits) << "screen packed byte";
  EXPECT_EQ(file[22], 0x80 | c.sizeBits) << "frame packed byte";
  const std::size_t tableEnd = 23 + 3 * static_cast<std::size_t>(c.tableEntries);
  ASSERT_GT(file.size(), tableEnd);
  for (int i = 0; i < c.tableEntries; ++i) {
    const Bytes entry(file.begin() + 23 + 3 * i, file.begin() + 26 + 3 * i);
    if (i < c.entries) {
      EXPECT_EQ(entry, (Bytes{static_cast<std::uint8_t>(255 - i), 1, static_cast<std::uint8_t>(i)})) << i;
    } else {
      EXPECT_EQ(entry, (Bytes{0, 0, 0})) << "padding entry " << i;
    }
  }
  EXPECT_EQ(file[tableEnd], c.minimumCodeSize);

  const TDecodedGIF decoded = DecodeWithGiflib(file);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(decoded.pixels[y * 5 + x], bitmap.Row(y)[x]);
}

INSTANTIATE_TEST_SUITE_P(Entries, ColorMapPadding,
                         testing::Values(PaddingCase{1, 0, 2, 2}, PaddingCase{2, 0, 2, 2}, PaddingCase{3, 1, 4, 2},
                                         PaddingCase{5, 2, 8, 3}, PaddingCase{216, 7, 256, 8},
                                         PaddingCase{256, 7, 256, 8}));

// ---- conversion of bitmaps into a frame

struct PalettedCase {
  int bits;
  int width;
  int height;
};

class PalettedBitmap : public testing::TestWithParam<PalettedCase> {};

TEST_P(PalettedBitmap, IsWrittenWithItsOwnTableAndPixels) {
  const auto [bits, width, height] = GetParam();
  TBitmap bitmap(width, height, bits);
  const int colors = 1 << bits;
  for (int i = 0; i < colors; ++i)
    bitmap.ColorTable()[i] = TRGBQuad{static_cast<std::uint8_t>(3 * i), static_cast<std::uint8_t>(i), 7, 0};
  std::vector<std::uint8_t> indices;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int index = (x * 3 + y * 5 + x * y) % colors;
      indices.push_back(static_cast<std::uint8_t>(index));
      const int perByte = 8 / bits;
      const int shift = 8 - bits * (x % perByte + 1);
      bitmap.Row(y)[x / perByte] |= static_cast<std::uint8_t>(index << shift);
    }
  const TBitmap before = bitmap;
  for (TGIFEncoding encoding : {encRunLength, encLZW}) {
    TGIFImage gif;
    gif.Compression = encoding;
    gif.Assign(bitmap);
    const TDecodedGIF decoded = DecodeWithGiflib(Save(gif));
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_EQ(decoded.version, "87a");
    EXPECT_EQ(decoded.pixels, indices);
    ASSERT_GE(decoded.colors.size(), 3u * colors);
    for (int i = 0; i < colors; ++i) {
      EXPECT_EQ(decoded.colors[3 * i], 7) << i;
      EXPECT_EQ(decoded.colors[3 * i + 1], i) << i;
      EXPECT_EQ(decoded.colors[3 * i + 2], static_cast<std::uint8_t>(3 * i)) << i;
    }
  }
  EXPECT_EQ(bitmap, before) << "a paletted bitmap is not converted";
}

INSTANTIATE_TEST_SUITE_P(Depths, PalettedBitmap,
                         testing::Values(PalettedCase{1, 1, 1}, PalettedCase{1, 13, 7}, PalettedCase{4, 9, 5},
                                         PalettedCase{4, 1, 3}, PalettedCase{8, 17, 3}, PalettedCase{8, 64, 64}));

TEST_F(GIFImageTest, PaletteDisplayCaptureIsReducedToTheCube) {
  TBitmap capture = TBitmap::DeviceFormat(2, 1, 8);
  capture.ColorTable()[1] = TRGBQuad{0, 0, 255, 0};  // pure red in the screen palette
  capture.Row(0)[0] = 1;
  capture.Row(0)[1] = 0;
  TGIFImage gif;
  gif.Assign(capture);
  const TDecodedGIF decoded = DecodeWithGiflib(Save(gif));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.pixels, (Bytes{180, 0}));
  EXPECT_EQ(decoded.colors, CubeTable());
  EXPECT_EQ(capture.BitsPerPixel(), 24);
}

TEST_F(GIFImageTest, NoReductionKeepsUpTo256DistinctColours) {
  TBitmap bitmap(300, 1, 24);
  for (int x = 0; x < 300; ++x) {
    bitmap.Row(0)[3 * x] = static_cast<std::uint8_t>(x % 256);
    bitmap.Row(0)[3 * x + 2] = static_cast<std::uint8_t>(x % 3);
  }
  TGIFImage gif;
  gif.ColorReduction = rdNone;
  ExpectGIFError([&] { gif.Assign(bitmap); }, sColorTableOverflow);

  TBitmap few(4, 1, 24);
  few.Row(0)[0] = 9;   // (0, 0, 9)
  few.Row(0)[5] = 99;  // (99, 0, 0)
  few.Row(0)[9] = 9;   // (0, 0, 9) again
  gif.Assign(few);
  const TDecodedGIF decoded = DecodeWithGiflib(Save(gif));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.pixels, (Bytes{0, 1, 2, 0}));
  EXPECT_EQ(decoded.Rgb(0), 0x000009u);
  EXPECT_EQ(decoded.Rgb(1), 0x630000u);
  EXPECT_EQ(decoded.Rgb(2), 0x000000u);
}

TEST_F(GIFImageTest, UnknownReductionMethodIsAnErrorNotABlankPicture) {
  TBitmap bitmap(3, 3, 24);
  for (TReductionMethod method : {static_cast<TReductionMethod>(10), rdCustomPalette}) {
    TGIFImage gif;
    gif.ColorReduction = method;
    ExpectGIFError([&] { gif.Assign(bitmap); }, sInvalidImageDimensions);
    EXPECT_EQ(gif.Images().Count(), 0) << "the failed frame is freed";
  }
}

TEST_F(GIFImageTest, CustomPaletteIsUsedForItsMethod) {
  TBitmap bitmap(2, 1, 24);
  bitmap.Row(0)[2] = 200;  // reddish, then black
  TGIFImage gif;
  gif.ColorReduction = rdCustomPalette;
  gif.CustomPalette = {{0, 0, 0, 0}, {250, 0, 0, 0}};
  gif.Assign(bitmap);
  const TDecodedGIF decoded = DecodeWithGiflib(Save(gif));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.Rgb(0), 0xFA0000u);
  EXPECT_EQ(decoded.Rgb(1), 0x000000u);
}

TEST_F(GIFImageTest, PixelOutsideItsColourTableIsRefusedWhenWriting) {
  TBitmap bitmap(2, 1, 8);
  bitmap.ColorTable().resize(4);
  bitmap.Row(0)[1] = 9;
  TGIFImage gif;
  gif.Assign(bitmap);
  ExpectGIFError([&] { Save(gif); }, sColorNotInColorTable);
}

TEST_F(GIFImageTest, OnlyFramesCanBeAdded) {
  TGIFImage gif;
  ExpectGIFError([&] { gif.Add(std::make_unique<TGIFTrailer>(&gif)); }, sUnsupportedClass);
}

TEST_F(GIFImageTest, LogicalScreenGrowsWithFramesAndRefusesToShrinkBelowThem) {
  TBitmap bitmap(40, 30, 24);
  TGIFImage gif;
  std::vector<std::string> warnings;
  gif.OnWarning = [&](const std::string& text) { warnings.push_back(text); };
  gif.Assign(bitmap);
  EXPECT_EQ(gif.Header().Width, 40);
  EXPECT_EQ(gif.Header().Height, 30);
  ExpectGIFError([&] { gif.SetScreenWidth(39); }, sScreenWidthSmall);
  ExpectGIFError([&] { gif.SetScreenHeight(29); }, sScreenHeightSmall);
  gif.SetScreenWidth(50);
  EXPECT_TRUE(warnings.empty());

  gif.Images()[0].SetBounds(20, 0, 40, 30);
  EXPECT_EQ(gif.Header().Width, 60);
  EXPECT_EQ(warnings, (std::vector<std::string>{sScreenWidthSmall, sScreenSizeExceeded}));
  ExpectGIFError([&] { gif.Images()[0].SetBounds(65500, 0, 40, 30); }, sInvalidImageDimensions);
}

TEST_F(GIFImageTest, PictureTooLargeForAGIFIsRefused) {
  TBitmap wide(70000, 1, 8);
  TGIFImage gif;
  ExpectGIFError([&] { gif.Assign(wide); }, sInvalidImageDimensions);
}

// ---- version and extensions

TEST_F(GIFImageTest, ExtensionsAndSortedMapsNeedVersion89a) {
  TBitmap bitmap(2, 2, 8);
  TGIFImage gif;
  gif.Assign(bitmap);
  EXPECT_EQ(gif.Version(), 1);
  gif.Images()[0].ColorMap().SetSorted(true);
  EXPECT_EQ(gif.Version(), 2);
  const Bytes sorted = Save(gif);
  EXPECT_EQ(std::string(sorted.begin(), sorted.begin() + 6), "GIF89a");
  EXPECT_EQ(sorted[22], 0x80 | 0x20 | 7);
}

TEST_F(GIFImageTest, ExtensionBlocksAreWrittenBeforeTheirFrame) {
  TBitmap bitmap(3, 2, 8);
  TGIFImage gif;
  gif.Assign(bitmap);
  TGIFSubImage& frame = gif.Images()[0];
  auto control = std::make_unique<TGIFGraphicControlExtension>(&gif);
  control->Disposal = 2;
  control->Transparent = true;
  control->Delay = 0x0102;
  control->TransparentColorIndex = 5;
  frame.Extensions().Add(std::move(control));
  auto loop = std::make_unique<TGIFAppExtNSLoop>(&gif);
  loop->Loops = 3;
  frame.Extensions().Add(std::move(loop));
  auto comment = std::make_unique<TGIFCommentExtension>(&gif);
  comment->Text = "hi";
  frame.Extensions().Add(std::move(comment));

  const Bytes file = Save(gif);
  const Bytes expected = {0x21, 0xF9, 4, 0x09, 0x02, 0x01, 5, 0,    0x21, 0xFF, 11,  'N',  'E', 'T', 'S',
                          'C',  'A',  'P', 'E', '2',  '.',  '0', 3, 1,    3,    0,   0,    0x21, 0xFE, 2,
                          'h',  'i',  0,   0x2C};
  ASSERT_GT(file.size(), 13 + expected.size());
  EXPECT_EQ(Bytes(file.begin() + 13, file.begin() + 13 + static_cast<long>(expected.size())), expected);
  const TDecodedGIF decoded = DecodeWithGiflib(file);
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.version, "89a");
}

// ---- the file writer

class WriteGIFFileTest : public GIFImageTest {
 protected:
  std::string Path(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / ("grabwell_gif_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
  }
};

TEST_F(WriteGIFFileTest, SetsRunLengthAndWritesTheCube) {
  DefaultCompression = encLZW;
  TBitmap capture = TBitmap::DeviceFormat(3, 2, 16);
  const std::string path = Path("road.gif");
  WriteGIFFile(capture, path);
  EXPECT_EQ(DefaultCompression, encRunLength);
  EXPECT_EQ(capture.BitsPerPixel(), 24);
  const TDecodedGIF decoded = DecodeWithGiflib(ReadWholeFile(path));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_EQ(decoded.version, "87a");
  EXPECT_EQ(decoded.colors, CubeTable());
  EXPECT_EQ(decoded.pixels, Bytes(6, 0));
}

struct RoadCase {
  const char* name;
  int bits;
  bool device;
  int width;
};

class WriteGIFFileRoad : public WriteGIFFileTest, public testing::WithParamInterface<RoadCase> {};

// The writer codes rows as it makes them where it can, and goes through a
// whole frame elsewhere; either way the file and the converted picture are
// those of the frame road: Assign, then save.
TEST_P(WriteGIFFileRoad, WritesWhatTheFrameRoadWrites) {
  const RoadCase& c = GetParam();
  TBitmap picture = c.device ? TBitmap::DeviceFormat(c.width, 7, c.bits) : TBitmap(c.width, 7, c.bits);
  std::uint32_t seed = 7;
  for (std::uint8_t& byte : picture.Bits()) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(seed >> 24 < 96 ? 0xFF : seed >> 16);  // runs of white among noise
  }
  for (std::size_t i = 0; i < picture.ColorTable().size(); ++i)
    picture.ColorTable()[i] = TRGBQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(3 * i), 40, 0};
  TBitmap byFrame = picture;
  const std::string path = Path(std::string(c.name) + ".gif");
  WriteGIFFile(picture, path);

  TGIFImage gif;
  gif.Compression = encRunLength;
  gif.Assign(byFrame);
  EXPECT_EQ(ReadWholeFile(path), Save(gif));
  EXPECT_TRUE(picture == byFrame) << "converted differently";
}

INSTANTIATE_TEST_SUITE_P(Sources, WriteGIFFileRoad,
                         testing::Values(RoadCase{"capture32", 32, true, 45}, RoadCase{"dib24", 24, false, 41},
                                         RoadCase{"capture16", 16, true, 38}, RoadCase{"capture8", 8, true, 39},
                                         RoadCase{"dib8", 8, false, 37}, RoadCase{"dib4", 4, false, 33}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteGIFFileTest, ExplicitOptionsAreHonouredAndDefaultsLeftAlone) {
  TBitmap bitmap(64, 16, 24);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) bitmap.Row(y)[3 * x + 1] = static_cast<std::uint8_t>(4 * x);
  TBitmap copy = bitmap;
  const std::string path = Path("options.gif");
  WriteGIFFileWith(bitmap, path, TGIFOptions{encLZW, rdGray256, dkNearest, 8});
  EXPECT_EQ(DefaultCompression, encRunLength);
  const TDecodedGIF decoded = DecodeWithGiflib(ReadWholeFile(path));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  for (int x = 0; x < 64; ++x) {
    const std::uint32_t gray = 150 * 4 * x / 256;
    EXPECT_EQ(decoded.Rgb(static_cast<std::size_t>(x)), gray << 16 | gray << 8 | gray) << x;
  }
}

TEST_F(WriteGIFFileTest, UnwritablePathRaisesTheStreamError) {
  TBitmap bitmap(1, 1, 24);
  const std::string path = Path("missing-folder/x.gif");
  try {
    WriteGIFFile(bitmap, path);
    ADD_FAILURE() << "no error";
  } catch (const EStreamError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
  }
}

}  // namespace
