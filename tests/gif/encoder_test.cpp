// The image-data encoders: known code streams for fixed inputs, the
// sub-block layout, and round trips through giflib for every run shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "gif/gif_exception.h"
#include "gif/gif_types.h"
#include "gif/gif_writer.h"
#include "gif/lzw_encoder.h"
#include "gif/rle_encoder.h"
#include "tests/gif/giflib_decode.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::unique_ptr<TGIFEncoder> MakeEncoder(TGIFEncoding encoding) {
  if (encoding == encRunLength) return std::make_unique<TRLEEncoder>();
  return std::make_unique<TLZWEncoder>();
}

Bytes Encode(TGIFEncoding encoding, int bits, const Bytes& pixels, int width, int height, bool interlace = false,
             int colorCount = -1) {
  TMemoryStream stream;
  MakeEncoder(encoding)->Compress(stream, bits, colorCount < 0 ? 1 << bits : colorCount,
                                  pixels.empty() ? nullptr : pixels.data(), interlace, height, width);
  return stream.Bytes();
}

// The data bytes of the sub-blocks after the minimum code size byte;
// fails the test when the block structure is wrong.
Bytes SubBlockData(const Bytes& imageData) {
  Bytes data;
  std::size_t at = 1;
  while (at < imageData.size() && imageData[at] != 0) {
    const std::size_t length = imageData[at];
    EXPECT_LE(at + 1 + length, imageData.size());
    data.insert(data.end(), imageData.begin() + at + 1, imageData.begin() + at + 1 + length);
    at += 1 + length;
  }
  EXPECT_EQ(at + 1, imageData.size()) << "terminator must be the last byte";
  return data;
}

struct GoldenCase {
  const char* name;
  int bits;
  int colorCount;
  Bytes pixels;
  Bytes imageData;
};

class RunLengthGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(RunLengthGolden, WritesKnownBytes) {
  const GoldenCase& c = GetParam();
  EXPECT_EQ(Encode(encRunLength, c.bits, c.pixels, static_cast<int>(c.pixels.size()), 1, false, c.colorCount),
            c.imageData);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, RunLengthGolden,
    testing::Values(GoldenCase{"OnePixel", 8, 256, {0}, {0x08, 0x04, 0x00, 0x01, 0x04, 0x04, 0x00}},
                    GoldenCase{"SixPixelsOfOneColour", 8, 256, {5, 5, 5, 5, 5, 5}, {0x08, 0x06, 0x00, 0x0B, 0x08, 0x1C, 0x18, 0x10, 0x00}},
                    GoldenCase{"OneBitRaisedToTwo", 1, 3, {1, 2}, {0x02, 0x02, 0x8C, 0x0A, 0x00}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Encoders, WithoutPixelsWriteOnlyTheEndCode) {
  // 8 bits: end code 257 at 9 bits gives 01 01.
  const Bytes expected = {0x08, 0x02, 0x01, 0x01, 0x00};
  for (TGIFEncoding encoding : {encRunLength, encLZW}) {
    EXPECT_EQ(Encode(encoding, 8, {}, 4, 4), expected);
    EXPECT_EQ(Encode(encoding, 8, {1, 2}, 0, 1), expected);
  }
}

TEST(RunLengthEncoder, WithoutRunsClearsEvery254CodesAtNineBits) {
  Bytes pixels(1000);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i % 2 ? 7 : 200);
  const Bytes data = SubBlockData(Encode(encRunLength, 8, pixels, 1000, 1));
  // Every code is 9 bits wide, so they can be read back at a fixed width.
  std::vector<int> codes;
  for (std::size_t bit = 0; bit + 9 <= data.size() * 8; bit += 9) {
    int code = 0;
    for (int b = 0; b < 9; ++b) code |= ((data[(bit + b) / 8] >> ((bit + b) % 8)) & 1) << b;
    codes.push_back(code);
  }
  std::vector<int> expected;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (i % 254 == 0) expected.push_back(256);
    expected.push_back(pixels[i]);
  }
  expected.push_back(257);
  codes.resize(expected.size());
  EXPECT_EQ(codes, expected);
  EXPECT_EQ(data.size(), (expected.size() * 9 + 7) / 8);
}

TEST(RunLengthEncoder, RejectsIndexOutsideColourCountKeepingWrittenBytes) {
  TMemoryStream stream;
  TRLEEncoder encoder;
  const Bytes pixels = {1, 1, 2, 3};
  EXPECT_THROW(
      {
        try {
          encoder.Compress(stream, 2, 3, pixels.data(), false, 1, 4);
        } catch (const GIFException& e) {
          EXPECT_STREQ(e.what(), sColorNotInColorTable);
          throw;
        }
      },
      GIFException);
  // The code size byte and a partial block, but no terminator.
  ASSERT_GE(stream.Bytes().size(), 3u);
  EXPECT_EQ(stream.Bytes()[0], 2);
  EXPECT_EQ(stream.Bytes()[1] + 2u, stream.Bytes().size());
}

TEST(LZWEncoder, RejectsIndexOutsideColourCount) {
  const Bytes pixels = {0, 1, 9};
  EXPECT_THROW(Encode(encLZW, 3, pixels, 3, 1, false, 9), GIFException);
}

// ---- sub-block writer

struct BlockCase {
  std::size_t bytes;
  std::vector<std::size_t> blocks;
};

class SubBlocks : public testing::TestWithParam<BlockCase> {};

TEST_P(SubBlocks, AreFullExceptTheLast) {
  TMemoryStream stream;
  Bytes data(GetParam().bytes);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
  {
    TGIFWriter writer(stream);
    writer.Write(data.data(), data.size());
    writer.Close();
  }
  const Bytes& out = stream.Bytes();
  std::size_t at = 0;
  Bytes joined;
  for (std::size_t length : GetParam().blocks) {
    ASSERT_LT(at, out.size());
    EXPECT_EQ(out[at], length);
    joined.insert(joined.end(), out.begin() + at + 1, out.begin() + at + 1 + length);
    at += 1 + length;
  }
  EXPECT_EQ(at, out.size());
  EXPECT_EQ(joined, data);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, SubBlocks,
                         testing::Values(BlockCase{0, {}}, BlockCase{1, {1}}, BlockCase{254, {254}},
                                         BlockCase{255, {255}}, BlockCase{256, {255, 1}},
                                         BlockCase{510, {255, 255}},
                                         // past the writer's internal buffer of 1024 blocks
                                         BlockCase{255 * 1024 + 3, [] {
                                           std::vector<std::size_t> blocks(1024, 255);
                                           blocks.push_back(3);
                                           return blocks;
                                         }()}));

TEST(SubBlocks, ImageDataOf255BytesIsOneFullBlockAndTerminator) {
  // Twelve-bit LZW codes are hard to aim at; a run-free 9-bit stream of
  // n codes takes ceil(9 n / 8) bytes: 226 codes (1 clear, 224 pixels,
  // end) fill 255 bytes, one pixel more makes 256 bytes.
  for (const auto& [pixelsCount, blocks] : {std::pair<int, std::vector<int>>{224, {255}}, {225, {255, 1}}}) {
    Bytes pixels(static_cast<std::size_t>(pixelsCount));
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i % 2 ? 3 : 4);
    const Bytes out = Encode(encRunLength, 8, pixels, pixelsCount, 1);
    std::size_t at = 1;
    for (int length : blocks) {
      ASSERT_LT(at, out.size());
      EXPECT_EQ(out[at], length) << pixelsCount << " pixels";
      at += 1 + static_cast<std::size_t>(length);
    }
    ASSERT_EQ(at + 1, out.size());
    EXPECT_EQ(out[at], 0);
  }
}

// ---- round trips through giflib

struct RoundTrip {
  TGIFEncoding encoding;
  int bits;
  int width;
  int height;
  bool interlace;
  const char* pattern;
};

Bytes MakePixels(const RoundTrip& c) {
  const std::size_t n = static_cast<std::size_t>(c.width) * c.height;
  const unsigned colors = 1u << c.bits;
  Bytes pixels(n);
  std::mt19937 random(static_cast<unsigned>(n * 31 + c.bits));
  const std::string pattern = c.pattern;
  // "budget": a run that fills a table to the code budget and leaves one
  // pixel for the next table, whose one string is then a single pixel; a
  // pixel of another colour, and two more of the first, which must go out
  // as pixels, not as that string.
  const std::size_t budget = 4093 - (std::size_t{1} << std::max(c.bits, 2));
  const std::size_t filled = budget * (budget + 1) / 2 + 1;
  std::size_t runLeft = 0;
  std::uint8_t runColor = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (pattern == "flat") {
      pixels[i] = static_cast<std::uint8_t>(colors - 1);
    } else if (pattern == "budget") {
      pixels[i] = static_cast<std::uint8_t>(i < filled || i == filled + 1 || i == filled + 2 ? colors - 1 : 0);
    } else if (pattern == "noise") {
      pixels[i] = static_cast<std::uint8_t>(random() % colors);
    } else if (pattern == "runs") {
      // Runs of single pixels, short, long and very long (past what one
      // code table can express).
      if (runLeft == 0) {
        runColor = static_cast<std::uint8_t>(random() % colors);
        const unsigned kind = random() % 4;
        runLeft = kind == 0 ? 1 : kind == 1 ? 2 + random() % 30 : kind == 2 ? 100 + random() % 5000 : 1 + random() % 200000;
      }
      pixels[i] = runColor;
      --runLeft;
    } else {  // "strings": repeating phrases, which fill the LZW table
      pixels[i] = static_cast<std::uint8_t>((i * i / 7 + i / 13) % colors);
    }
  }
  return pixels;
}

class EncoderRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(EncoderRoundTrip, GiflibDecodesTheInput) {
  const RoundTrip& c = GetParam();
  const Bytes pixels = MakePixels(c);
  const Bytes imageData = Encode(c.encoding, c.bits, pixels, c.width, c.height, c.interlace);
  const TDecodedGIF decoded = DecodeWithGiflib(WrapImageData(imageData, c.width, c.height, c.bits, c.interlace));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  ASSERT_EQ(decoded.pixels.size(), pixels.size());
  EXPECT_TRUE(decoded.pixels == pixels);
}

std::vector<RoundTrip> RoundTripCases() {
  std::vector<RoundTrip> cases;
  for (TGIFEncoding encoding : {encRunLength, encLZW}) {
    for (int bits = 1; bits <= 8; ++bits)
      for (const char* pattern : {"flat", "noise", "runs", "strings"})
        cases.push_back({encoding, bits, 97, 61, false, pattern});
    for (int width = 1; width <= 17; ++width)
      for (int height : {1, 3, 5, 9, 17}) {
        cases.push_back({encoding, 8, width, height, false, "noise"});
        cases.push_back({encoding, 2, width, height, true, "runs"});
      }
    // Long runs past the code budget and tables that fill to 4095 and clear.
    cases.push_back({encoding, 8, 1, 60000, false, "flat"});
    cases.push_back({encoding, 8, 3000, 3000, false, "flat"});
    cases.push_back({encoding, 2, 3000, 3000, false, "flat"});
    if (encoding == encRunLength) cases.push_back({encoding, 8, 2000, 3700, false, "budget"});
    cases.push_back({encoding, 8, 1500, 1000, false, "runs"});
    cases.push_back({encoding, 3, 1024, 768, false, "runs"});
    cases.push_back({encoding, 8, 640, 480, false, "strings"});
    cases.push_back({encoding, 8, 300, 301, true, "noise"});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Shapes, EncoderRoundTrip, testing::ValuesIn(RoundTripCases()), [](const auto& info) {
  const RoundTrip& c = info.param;
  return std::string(c.encoding == encRunLength ? "rle" : "lzw") + "_" + std::to_string(c.bits) + "bit_" +
         std::to_string(c.width) + "x" + std::to_string(c.height) + (c.interlace ? "_interlaced_" : "_") +
         c.pattern;
});

// Text-like pictures: runs of a few colours with lengths from 1 to a few
// hundred and a few long stretches, in several bit depths, straight and
// interlaced. The run-length stream is the program's file format, and the
// LZW stream is fixed by the algorithm, so every byte of both is pinned (by
// size and FNV-1a digest); a change to an encoder's choices shows here
// even where decoders agree.
struct TPinnedCase {
  const char* name;
  TGIFEncoding encoding;
  int bits;
  int width;
  int height;
  bool interlace;
  std::size_t size;
  std::uint64_t digest;
};

Bytes TextLikePixels(int bits, int width, int height) {
  std::mt19937 engine(static_cast<unsigned>(bits * 1000 + width));
  Bytes pixels;
  const std::size_t total = static_cast<std::size_t>(width) * height;
  const unsigned colors = 1u << bits;
  while (pixels.size() < total) {
    const unsigned draw = engine();
    // Mostly the background colour 0, often colour 1, now and then any.
    const unsigned kind = draw % 8;
    const auto color = static_cast<std::uint8_t>(kind < 4 ? 0 : kind < 7 ? 1 % colors : (draw >> 8) % colors);
    const unsigned shape = (draw >> 16) % 16;
    std::size_t length = shape < 8 ? 1 + shape % 4 : shape < 14 ? 1 + (draw >> 20) % 40 : 1 + (draw >> 20) % 400;
    if (draw % 499 == 0) length = 3000;  // a long stretch of one colour
    pixels.insert(pixels.end(), std::min(length, total - pixels.size()), color);
  }
  return pixels;
}

std::uint64_t Fnv1a(const Bytes& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

class PinnedStreams : public testing::TestWithParam<TPinnedCase> {};

TEST_P(PinnedStreams, KeepTheirExactBytes) {
  const TPinnedCase& c = GetParam();
  const Bytes pixels = TextLikePixels(c.bits, c.width, c.height);
  const Bytes stream = Encode(c.encoding, c.bits, pixels, c.width, c.height, c.interlace);
  EXPECT_EQ(stream.size(), c.size);
  EXPECT_EQ(Fnv1a(stream), c.digest) << std::hex << "0x" << Fnv1a(stream);
  const TDecodedGIF decoded = DecodeWithGiflib(WrapImageData(stream, c.width, c.height, c.bits, c.interlace));
  ASSERT_TRUE(decoded.ok) << decoded.error;
  EXPECT_TRUE(decoded.pixels == pixels);
}

INSTANTIATE_TEST_SUITE_P(
    TextLike, PinnedStreams,
    testing::Values(TPinnedCase{"RunLength8", encRunLength, 8, 640, 480, false, 43001, 0xca92bd81675330c1},
                    TPinnedCase{"RunLength8Interlaced", encRunLength, 8, 333, 257, true, 14068, 0x63e6a1dde92d84fd},
                    TPinnedCase{"RunLength4", encRunLength, 4, 512, 300, false, 13525, 0xc5a1c0c1bc0c3a19},
                    TPinnedCase{"RunLength1", encRunLength, 1, 800, 200, false, 9824, 0xd4351c2bc0018ebc},
                    TPinnedCase{"RunLength2Tall", encRunLength, 2, 17, 3000, false, 3268, 0xa11b5f3cf6a19ed3},
                    TPinnedCase{"LZW8", encLZW, 8, 640, 480, false, 12917, 0x979d9a1067a35e61},
                    TPinnedCase{"LZW8Interlaced", encLZW, 8, 333, 257, true, 3986, 0x9800e68ed846a018},
                    TPinnedCase{"LZW4", encLZW, 4, 512, 300, false, 4448, 0x5858a979d65b9873},
                    TPinnedCase{"LZW1", encLZW, 1, 800, 200, false, 2708, 0xb60b54086883b008},
                    TPinnedCase{"LZW2Tall", encLZW, 2, 17, 3000, false, 1277, 0x80b9bbc54daf4ca},
                    TPinnedCase{"LZW8Large", encLZW, 8, 1500, 1200, false, 74995, 0x8e33bacd83da7271}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
