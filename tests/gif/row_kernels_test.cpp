// The vector paths of the GIF road's row steps against the portable ones,
// for widths around their 8- and 32-pixel steps, packed apart and in place.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gif/row_kernels.h"

namespace {

std::vector<std::uint8_t> RandomPixels(std::mt19937& engine, std::size_t width) {
  std::vector<std::uint8_t> pixels(4 * width);
  for (auto& byte : pixels) byte = static_cast<std::uint8_t>(engine());
  return pixels;
}

TEST(RowKernels, CubeMappingMatchesThePortablePath) {
  std::mt19937 engine(3);
  for (std::size_t width = 0; width <= 100; ++width) {
    const auto pixels = RandomPixels(engine, width);
    std::vector<std::uint8_t> fast(width), portable(width);
    MapRow32ToCube(pixels.data(), fast.data(), width);
    MapRow32ToCubePortable(pixels.data(), portable.data(), width);
    ASSERT_EQ(fast, portable) << "width " << width;
    for (std::size_t x = 0; x < width; ++x) ASSERT_EQ(fast[x], CubeIndex(&pixels[4 * x])) << "pixel " << x;
  }
}

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

}  // namespace
