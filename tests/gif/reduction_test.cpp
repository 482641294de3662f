// Colour reduction: the lookups' values, the palettes of every method, the
// fast road against the per-pixel road, and decoded files through giflib.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "gif/color_lookup.h"
#include "gif/color_reduction.h"
#include "gif/gif_image.h"
#include "gif/octree.h"
#include "tests/gif/giflib_decode.h"

namespace {

struct CubeCase {
  std::uint8_t r, g, b;
  int index;
  std::uint8_t level;  // the chosen component of r (all three equal when r == g == b)
};

class CubeLookup : public testing::TestWithParam<CubeCase> {};

TEST_P(CubeLookup, MapsToItsLevel) {
  const CubeCase& c = GetParam();
  TNetscapeColorLookup lookup;
  const TLookupResult result = lookup.Lookup(c.r, c.g, c.b);
  EXPECT_EQ(result.Index, c.index);
  EXPECT_EQ(result.Red, c.level);
}

INSTANTIATE_TEST_SUITE_P(Values, CubeLookup,
                         testing::Values(CubeCase{47, 47, 47, 0, 0}, CubeCase{48, 48, 48, 43, 51},
                                         CubeCase{255, 0, 0, 180, 255}, CubeCase{255, 255, 255, 215, 255},
                                         CubeCase{98, 0, 0, 36, 51}, CubeCase{99, 0, 0, 72, 102},
                                         CubeCase{149, 0, 149, 74, 102}, CubeCase{150, 0, 0, 108, 153},
                                         CubeCase{200, 200, 0, 126, 153}, CubeCase{201, 0, 0, 144, 204},
                                         CubeCase{251, 0, 0, 144, 204}, CubeCase{252, 0, 0, 180, 255},
                                         CubeCase{0, 0, 255, 5, 0}, CubeCase{0, 255, 0, 30, 0}));

TEST(ThresholdLookups, MonochromeSplitsAbove32512AndGrayUsesLuminance) {
  TMonochromeLookup mono;
  EXPECT_EQ(mono.Lookup(127, 127, 127).Index, 0);
  EXPECT_EQ(mono.Lookup(127, 127, 127).Red, 0);
  EXPECT_EQ(mono.Lookup(128, 128, 128).Index, 1);
  EXPECT_EQ(mono.Lookup(128, 128, 128).Blue, 255);
  TGrayScaleLookup gray;
  EXPECT_EQ(gray.Lookup(10, 20, 30).Index, (77 * 10 + 150 * 20 + 29 * 30) / 256);
  EXPECT_EQ(gray.Lookup(255, 255, 255).Green, 255);
  EXPECT_EQ(gray.Lookup(0, 255, 0).Index, 149);
}

TEST(FastLookup, FirstOfEqualColoursAndOfEqualDistancesWins) {
  TFastColorLookup lookup({{10, 250, 10, 0}, {200, 0, 0, 0}, {200, 0, 0, 0}, {0, 0, 200, 0}});
  EXPECT_EQ(lookup.Lookup(200, 0, 0).Index, 1);
  // (100, 0, 100) is 200 away from entries 1 and 3; the first one wins.
  const TLookupResult tie = lookup.Lookup(100, 0, 100);
  EXPECT_EQ(tie.Index, 1);
  EXPECT_EQ(tie.Red, 200);
}

TEST(FastLookup, ColoursOfOneCellShareTheFirstAnswer) {
  // (0,0,0) and (7,7,7) share the 5-5-5 cell 0, whose first entry is 0.
  TFastColorLookup lookup({{0, 0, 0, 0}, {7, 7, 7, 0}, {100, 100, 100, 0}});
  EXPECT_EQ(lookup.Lookup(7, 7, 7).Index, 0);
  // A cell without an entry is searched once, then remembered.
  EXPECT_EQ(lookup.Lookup(90, 90, 90).Index, 2);
  EXPECT_EQ(lookup.Lookup(95, 95, 95).Index, 2);
}

TEST(Octree, RedAndBlueWithOneBitGiveBlueThenRed) {
  TBitmap bitmap(4, 2, 24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) bitmap.Row(y)[3 * x + ((x + y) % 2 ? 0 : 2)] = 255;
  const TBitmap result = ReduceColors(bitmap, rdOctree, dkNearest, 1);
  ASSERT_EQ(result.BitsPerPixel(), 8);
  EXPECT_EQ(result.ColorTable()[0], (TRGBQuad{255, 0, 0, 0}));  // blue
  EXPECT_EQ(result.ColorTable()[1], (TRGBQuad{0, 0, 255, 0}));  // red
  EXPECT_EQ(result.ColorTable()[2], TRGBQuad{});
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(result.Row(y)[x], (x + y) % 2 ? 0 : 1);
}

TEST(Octree, NeverKeepsMoreLeavesThanColoursAndAveragesMergedOnes) {
  std::mt19937 random(7);
  for (int colors : {1, 2, 16, 236, 256}) {
    TColorQuantizer quantizer(colors);
    for (int i = 0; i < 20000; ++i) {
      quantizer.AddColor(static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                         static_cast<std::uint8_t>(random()));
      ASSERT_LE(quantizer.LeafCount(), colors);
    }
    EXPECT_EQ(static_cast<int>(quantizer.Palette().size()), quantizer.LeafCount());
  }
  TColorQuantizer single(1);
  single.AddColor(10, 20, 30);
  single.AddColor(30, 40, 50);
  EXPECT_EQ(single.Palette(), (TPalette{{20, 30, 40, 0}}));
}

TEST(Reduction, WhiteCaptureGivesIndex215AndTheCubeTable) {
  TBitmap white = TBitmap::DeviceFormat(7, 5, 32);
  std::fill(white.Bits().begin(), white.Bits().end(), 0xFF);
  const TBitmap result = ReduceColors(white, rdWebCube, dkNearest, 8);
  ASSERT_EQ(result.BitsPerPixel(), 8);
  ASSERT_EQ(result.ColorTable().size(), 256u);
  for (int i = 0; i < 256; ++i) {
    const TRGBQuad want = i < 216 ? TRGBQuad{static_cast<std::uint8_t>(51 * (i % 6)),
                                             static_cast<std::uint8_t>(51 * (i / 6 % 6)),
                                             static_cast<std::uint8_t>(51 * (i / 36)), 0}
                                  : TRGBQuad{};
    EXPECT_EQ(result.ColorTable()[i], want) << i;
  }
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(result.Row(y)[x], 215);
  EXPECT_EQ(white.BitsPerPixel(), 24);
}

TEST(Reduction, InvalidChoicesGiveAnEmptyResult) {
  TBitmap bitmap(3, 2, 24);
  EXPECT_TRUE(ReduceColors(bitmap, static_cast<TReductionMethod>(10), dkNearest, 8).Empty());
  EXPECT_TRUE(ReduceColors(bitmap, rdWebCube, static_cast<TDitherKind>(7), 8).Empty());
  EXPECT_TRUE(ReduceColors(bitmap, rdCustomPalette, dkNearest, 8).Empty());
  const TPalette none;
  EXPECT_TRUE(ReduceColors(bitmap, rdCustomPalette, dkNearest, 8, &none).Empty());
}

TEST(Reduction, NoneCopiesAs24BitAndLeavesTheSource) {
  TBitmap bitmap(3, 2, 16);
  bitmap.Row(1)[0] = 0x1F;
  const TBitmap before = bitmap;
  const TBitmap result = ReduceColors(bitmap, rdNone, dkNearest, 8);
  EXPECT_EQ(result.BitsPerPixel(), 24);
  EXPECT_EQ(result.PixelColor(0, 1), before.PixelColor(0, 1));
  EXPECT_EQ(bitmap, before);
}

// ---- the fast road gives the per-pixel road's bytes

struct FormatCase {
  const char* name;
  int bits;
  bool device;
  bool masks888;
};

TBitmap RandomBitmap(const FormatCase& c, int width, int height) {
  TBitmap bitmap = c.device ? TBitmap::DeviceFormat(width, height, c.bits) : TBitmap(width, height, c.bits);
  if (c.masks888) bitmap.SetColorMasks(kMasks888);
  std::mt19937 random(static_cast<unsigned>(width * 131 + height + c.bits));
  for (auto& byte : bitmap.Bits()) byte = static_cast<std::uint8_t>(random());
  for (auto& entry : bitmap.ColorTable())
    entry = TRGBQuad{static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                     static_cast<std::uint8_t>(random()), 0};
  return bitmap;
}

class FastRoad : public testing::TestWithParam<FormatCase> {};

TEST_P(FastRoad, MatchesThePerPixelRoad) {
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{33, 17}, std::pair{640, 48}}) {
    TBitmap fast = RandomBitmap(GetParam(), width, height);
    TBitmap slow = fast;
    const TBitmap fastResult = ReduceColors(fast, rdWebCube, dkNearest, 8);
    const TBitmap slowResult = ReduceColorsPerPixel(slow, rdWebCube, dkNearest, 8);
    EXPECT_TRUE(fastResult == slowResult) << width << "x" << height;
    EXPECT_TRUE(fast == slow) << "both sources end up as the same 24-bit image";
    EXPECT_EQ(fast.BitsPerPixel(), 24);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, FastRoad,
                         testing::Values(FormatCase{"Device32", 32, true, false}, FormatCase{"Dib32", 32, false, false},
                                         FormatCase{"Dib32Masks", 32, false, true}, FormatCase{"Dib24", 24, false, false},
                                         FormatCase{"Device24", 24, true, false}, FormatCase{"Rgb565", 16, false, false},
                                         FormatCase{"Rgb555", 15, false, false}, FormatCase{"Device8", 8, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- every method and encoding decodes to the lookup's colours

struct MethodCase {
  TReductionMethod method;
  int bits;
  TGIFEncoding encoding;
};

// The palette the method's lookup searches (before padding to 256).
std::size_t PaletteSize(const MethodCase& c) {
  switch (c.method) {
    case rdStockPalette: return 20;
    case rdGray4: return 4;
    case rdMonochrome: return 2;
    case rdWebCube: return 216;
    case rdOctree: return std::size_t{1} << c.bits;
    case rdCustomPalette: return 3;
    default: return 256;
  }
}

class MethodRoundTrip : public testing::TestWithParam<MethodCase> {};

TEST_P(MethodRoundTrip, GiflibSeesTheLookupColours) {
  const MethodCase& c = GetParam();
  TBitmap source = RandomBitmap(FormatCase{"", 32, true, false}, 37, 23);
  for (int y = 0; y < 10; ++y)  // some flat area for runs
    std::fill(source.Row(y), source.Row(y) + 4 * 20, static_cast<std::uint8_t>(90 + y));
  TBitmap original = source;
  original.ConvertTo24Bit();

  TGIFImage gif;
  gif.ColorReduction = c.method;
  gif.ReductionBits = c.bits;
  gif.DitherMode = dkNearest;
  gif.Compression = c.encoding;
  gif.CustomPalette = {{0, 0, 0, 0}, {255, 128, 0, 0}, {20, 200, 255, 0}};
  gif.Assign(source);
  TMemoryStream stream;
  gif.SaveToStream(stream);
  const TDecodedGIF decoded = DecodeWithGiflib(stream.Bytes());
  ASSERT_TRUE(decoded.ok) << decoded.error;
  ASSERT_EQ(decoded.width, 37);

  // The palette as written; the method's own lookup over it must agree
  // with every decoded pixel.
  const TBitmap& reduced = gif.Images()[0].Bitmap();
  TPalette palette;
  for (std::size_t i = 0; i < PaletteSize(c); ++i) {
    const TRGBQuad q = reduced.ColorTable()[i];
    palette.push_back({q.Red, q.Green, q.Blue, 0});
  }
  std::unique_ptr<TColorLookup> lookup;
  if (c.method == rdWebCube) lookup = std::make_unique<TNetscapeColorLookup>();
  else if (c.method == rdGray256) lookup = std::make_unique<TGrayScaleLookup>();
  else if (c.method == rdMonochrome) lookup = std::make_unique<TMonochromeLookup>();
  else lookup = std::make_unique<TFastColorLookup>(palette);

  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) {
      const TRGBQuad p = original.PixelColor(x, y);
      const TLookupResult want = lookup->Lookup(p.Red, p.Green, p.Blue);
      const std::size_t i = static_cast<std::size_t>(y) * 37 + x;
      ASSERT_EQ(decoded.pixels[i], want.Index) << x << "," << y;
      ASSERT_EQ(decoded.Rgb(i), static_cast<std::uint32_t>(want.Red << 16 | want.Green << 8 | want.Blue));
    }
}

std::vector<MethodCase> MethodCases() {
  std::vector<MethodCase> cases;
  for (TGIFEncoding encoding : {encRunLength, encLZW}) {
    for (TReductionMethod method : {rdStockPalette, rdHalftone, rdGray4, rdMonochrome, rdGray256, rdWebCube,
                                    rdOctreeSystem, rdCustomPalette})
      cases.push_back({method, 8, encoding});
    for (int bits = 1; bits <= 8; ++bits) cases.push_back({rdOctree, bits, encoding});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Methods, MethodRoundTrip, testing::ValuesIn(MethodCases()), [](const auto& info) {
  return std::string(info.param.encoding == encRunLength ? "rle" : "lzw") + "_method" +
         std::to_string(info.param.method) + "_bits" + std::to_string(info.param.bits);
});

TEST(Palettes, FixedPalettesHaveTheirSizesAndLayout) {
  EXPECT_EQ(StockPalette().size(), 20u);
  const TPalette halftone = HalftonePalette();
  ASSERT_EQ(halftone.size(), 256u);
  std::set<std::uint32_t> colors;
  for (const auto& e : halftone) colors.insert(e.Red << 16 | e.Green << 8 | e.Blue);
  for (const auto& e : StockPalette()) EXPECT_TRUE(colors.count(e.Red << 16 | e.Green << 8 | e.Blue));
  for (const auto& e : WebCubePalette()) EXPECT_TRUE(colors.count(e.Red << 16 | e.Green << 8 | e.Blue));
  // 20 static + 216 cube + 20 grays, of which 8 static colours are cube corners.
  EXPECT_EQ(colors.size(), 248u);
  EXPECT_EQ(Gray4Palette(), (TPalette{{0, 0, 0, 4}, {128, 128, 128, 4}, {192, 192, 192, 4}, {255, 255, 255, 4}}));
  EXPECT_EQ(WebCubePalette()[30], (TPaletteEntry{0, 255, 0, 0}));
}

}  // namespace
