#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "output/jpeg_image.h"
#include "output/read_jpeg_file.h"
#include "tests/output/test_pictures.h"

namespace {

struct TSegment {
  std::uint8_t marker;
  std::vector<std::uint8_t> body;
};

// The marker segments of a JPEG stream up to its first scan.
std::vector<TSegment> HeaderSegments(std::span<const std::uint8_t> data) {
  std::vector<TSegment> segments;
  std::size_t at = 2;
  while (at + 4 <= data.size() && data[at] == 0xFF) {
    const std::size_t length = (data[at + 2] << 8) | data[at + 3];
    if (at + 2 + length > data.size()) break;
    segments.push_back({data[at + 1], {data.begin() + at + 4, data.begin() + at + 2 + length}});
    if (data[at + 1] == 0xDA) break;
    at += 2 + length;
  }
  return segments;
}

std::vector<std::uint8_t> Compress(const TBitmap& image, int quality) {
  TJPEGImage jpeg;
  jpeg.Assign(image);
  jpeg.CompressionQuality = quality;
  jpeg.Compress();
  return {jpeg.Data().begin(), jpeg.Data().end()};
}

TEST(JPEGWriter, QualityHundredBaselineStream) {
  const std::vector<std::uint8_t> data = Compress(MakeQuadrants(40, 30), 100);
  ASSERT_GE(data.size(), 4u);
  EXPECT_EQ(data[0], 0xFF);
  EXPECT_EQ(data[1], 0xD8);
  EXPECT_EQ(data[data.size() - 2], 0xFF);
  EXPECT_EQ(data[data.size() - 1], 0xD9);
  int tables = 0;
  bool baselineFrame = false;
  for (const TSegment& s : HeaderSegments(data)) {
    EXPECT_NE(s.marker, 0xC2) << "progressive frame";
    if (s.marker == 0xE0) {
      EXPECT_EQ(std::string(s.body.begin(), s.body.begin() + 5), std::string("JFIF\0", 5));
    }
    if (s.marker == 0xDB) {
      // One or more tables of 1 + 64 bytes, 8-bit precision, every entry 1.
      ASSERT_EQ(s.body.size() % 65, 0u);
      for (std::size_t t = 0; t < s.body.size(); t += 65, ++tables) {
        EXPECT_EQ(s.body[t] >> 4, 0) << "16-bit table";
        for (std::size_t i = 1; i <= 64; ++i) ASSERT_EQ(s.body[t + i], 1) << "entry " << i;
      }
    }
    if (s.marker == 0xC0) {
      baselineFrame = true;
      EXPECT_EQ((s.body[1] << 8) | s.body[2], 30);  // height
      EXPECT_EQ((s.body[3] << 8) | s.body[4], 40);  // width
      EXPECT_EQ(s.body[5], 3);                      // components
    }
  }
  EXPECT_EQ(tables, 2);
  EXPECT_TRUE(baselineFrame);
}

TEST(JPEGWriter, NewImageUsesQualityNinety) {
  const TBitmap picture = MakeQuadrants(16, 16);
  TJPEGImage jpeg;
  EXPECT_EQ(jpeg.CompressionQuality, 90);
  jpeg.Assign(picture);
  jpeg.Compress();
  EXPECT_EQ(std::vector<std::uint8_t>(jpeg.Data().begin(), jpeg.Data().end()), Compress(picture, 90));
  EXPECT_NE(Compress(picture, 90), Compress(picture, 100));
}

struct TSourceCase {
  const char* name;
  int bits;
  bool device;
};

class JPEGRoundTrip : public testing::TestWithParam<TSourceCase> {};

// The quadrants survive compression in their places and colours (red stays
// red: the blue-green-red byte order is read the right way round), the
// source bitmap is not touched, whatever its format, and the stream is the
// one its 24-bit copy gives (32-bit rows go in as they are, 16-bit ones
// through a band of converted rows).
TEST_P(JPEGRoundTrip, ColoursComeBackAndSourceStaysAsItWas) {
  const TBitmap quadrants = MakeQuadrants(64, 48);
  TBitmap source =
      GetParam().device ? TBitmap::DeviceFormat(64, 48, GetParam().bits) : TBitmap(64, 48, GetParam().bits);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const TRGBQuad c = quadrants.PixelColor(x, y);
      std::uint8_t* p = source.Row(y);
      if (source.BitsPerPixel() == 32) {
        p[4 * x] = c.Blue, p[4 * x + 1] = c.Green, p[4 * x + 2] = c.Red;
      } else if (source.BitsPerPixel() == 16) {  // 5-6-5
        const unsigned word = ((c.Red >> 3) << 11) | ((c.Green >> 2) << 5) | (c.Blue >> 3);
        p[2 * x] = word & 0xFF, p[2 * x + 1] = static_cast<std::uint8_t>(word >> 8);
      } else {
        p[3 * x] = c.Blue, p[3 * x + 1] = c.Green, p[3 * x + 2] = c.Red;
      }
    }
  }
  const TBitmap before = source;
  const std::vector<std::uint8_t> stream = Compress(source, 100);
  EXPECT_EQ(source, before);
  TBitmap copy24 = source;
  copy24.ConvertTo24Bit();
  EXPECT_EQ(stream, Compress(copy24, 100));
  const TBitmap back = DecodeJPEG(stream);
  ASSERT_EQ(back.Width(), 64);
  ASSERT_EQ(back.Height(), 48);
  EXPECT_EQ(back.BitsPerPixel(), 24);
  for (auto [x, y] : {std::pair{16, 12}, {48, 12}, {16, 36}, {48, 36}}) {
    const TRGBQuad want = quadrants.PixelColor(x, y);
    const TRGBQuad got = back.PixelColor(x, y);
    EXPECT_NEAR(got.Red, want.Red, 4) << x << "," << y;
    EXPECT_NEAR(got.Green, want.Green, 4) << x << "," << y;
    EXPECT_NEAR(got.Blue, want.Blue, 4) << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Sources, JPEGRoundTrip,
                         testing::Values(TSourceCase{"dib24", 24, false}, TSourceCase{"capture24", 24, true},
                                         TSourceCase{"capture32", 32, true}, TSourceCase{"capture16", 16, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JPEGWriter, EmptyImageIsALibraryError) { EXPECT_THROW(Compress(TBitmap(), 100), EJPEGError); }

TEST(JPEGWriter, FileHoldsTheWholeStream) {
  const auto path = std::filesystem::temp_directory_path() / "grabwell_jpeg_writer_test.jpg";
  const TBitmap picture = MakeQuadrants(20, 10);
  WriteJPEGFile(picture, path.string());
  EXPECT_EQ(ReadWholeFile(path.string()), Compress(picture, 100));
  std::filesystem::remove(path);
}

// A damaged stream is refused with libjpeg's own message code in the text.
TEST(JPEGReader, CorruptStreamRaisesTheLibraryCode) {
  std::vector<std::uint8_t> data = Compress(MakeQuadrants(64, 48), 100);
  data.resize(data.size() / 2);
  try {
    (void)DecodeJPEG(data);
    FAIL() << "no error";
  } catch (const EJPEGError& e) {
    EXPECT_GT(e.Code(), 0);
    EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(e.Code()));
  }
}

}  // namespace
