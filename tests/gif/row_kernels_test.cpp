// The vector paths of the GIF road's row steps against the portable ones,
// for widths around their 8- and 32-pixel steps, packed apart and in place.
// Pixel rows are exactly as long as their pixels, so the sanitizer sees a
// vector load that reaches past a row's end.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gif/pixel_runs.h"
#include "gif/row_kernels.h"

namespace {

std::vector<std::uint8_t> RandomPixels(std::mt19937& engine, std::size_t width, std::size_t bytesPerPixel = 4) {
  std::vector<std::uint8_t> pixels(bytesPerPixel * width);
  for (auto& byte : pixels) byte = static_cast<std::uint8_t>(engine());
  return pixels;
}

struct TMapping {
  std::size_t BytesPerPixel;
  void (*Fast)(const std::uint8_t*, std::uint8_t*, std::size_t);
  void (*Portable)(const std::uint8_t*, std::uint8_t*, std::size_t);
};

class CubeMapping : public testing::TestWithParam<TMapping> {};

TEST_P(CubeMapping, MatchesThePortablePath) {
  const TMapping& m = GetParam();
  std::mt19937 engine(3);
  for (std::size_t width = 0; width <= 100; ++width) {
    const auto pixels = RandomPixels(engine, width, m.BytesPerPixel);
    std::vector<std::uint8_t> fast(width), portable(width);
    m.Fast(pixels.data(), fast.data(), width);
    m.Portable(pixels.data(), portable.data(), width);
    ASSERT_EQ(fast, portable) << "width " << width;
    for (std::size_t x = 0; x < width; ++x)
      ASSERT_EQ(fast[x], CubeIndex(&pixels[m.BytesPerPixel * x])) << "pixel " << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, CubeMapping,
                         testing::Values(TMapping{4, MapRow32ToCube, MapRow32ToCubePortable},
                                         TMapping{3, MapRow24ToCube, MapRow24ToCubePortable}));

// Every component value on every channel, so each level boundary is met.
TEST(RowKernels, CubeMappingCoversEveryComponentValue) {
  std::vector<std::uint8_t> pixels(4 * 256);
  for (unsigned v = 0; v < 256; ++v) {
    pixels[4 * v] = static_cast<std::uint8_t>(v);
    pixels[4 * v + 1] = static_cast<std::uint8_t>(255 - v);
    pixels[4 * v + 2] = static_cast<std::uint8_t>(v * 7);
    pixels[4 * v + 3] = static_cast<std::uint8_t>(v * 13);
  }
  std::vector<std::uint8_t> indices(256);
  MapRow32ToCube(pixels.data(), indices.data(), 256);
  for (unsigned v = 0; v < 256; ++v) {
    const unsigned expected = 36 * ((v * 7 % 256 + 3) / 51) + 6 * ((255 - v + 3) / 51) + (v + 3) / 51;
    ASSERT_EQ(indices[v], expected) << "value " << v;
  }
}

TEST(RowKernels, PackingMatchesThePortablePathApartAndInPlace) {
  std::mt19937 engine(4);
  for (std::size_t width = 0; width <= 100; ++width) {
    const auto pixels = RandomPixels(engine, width);
    std::vector<std::uint8_t> expected;
    for (std::size_t x = 0; x < width; ++x) expected.insert(expected.end(), &pixels[4 * x], &pixels[4 * x] + 3);

    std::vector<std::uint8_t> apart(4 * width), portable(4 * width);
    PackRow32To24(pixels.data(), apart.data(), width);
    PackRow32To24Portable(pixels.data(), portable.data(), width);
    apart.resize(3 * width);
    portable.resize(3 * width);
    ASSERT_EQ(apart, expected) << "width " << width;
    ASSERT_EQ(portable, expected) << "width " << width;

    std::vector<std::uint8_t> inPlace = pixels;
    PackRow32To24(inPlace.data(), inPlace.data(), width);
    inPlace.resize(3 * width);
    ASSERT_EQ(inPlace, expected) << "in place, width " << width;
  }
}

// The run starts of the run-length encoder: the vector road against the
// portable one (the 32-bit release's), over runs of every length.
TEST(RowKernels, RunStartsMatchThePortablePath) {
  std::mt19937 engine(5);
  std::vector<std::uint8_t> pixels;
  while (pixels.size() < 4096) pixels.insert(pixels.end(), engine() % 20 + 1, static_cast<std::uint8_t>(engine() % 3));
  for (std::size_t at = 1; at + kRunStartBlock <= pixels.size(); ++at) {
    std::uint64_t expected = 0;
    for (int i = 0; i < kRunStartBlock; ++i) expected |= std::uint64_t{pixels[at + i] != pixels[at + i - 1]} << i;
    ASSERT_EQ(RunStarts(&pixels[at]), expected) << at;
    ASSERT_EQ(RunStartsPortable(&pixels[at]), expected) << at;
  }
}

}  // namespace
