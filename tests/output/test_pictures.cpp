#include "tests/output/test_pictures.h"

const std::vector<TPictureCase>& PictureCases() {
  static const std::vector<TPictureCase> cases = {
      {"bits1", 1, false, false},       {"bits4", 4, false, false},      {"bits8", 8, false, false},
      {"bits15", 15, false, false},     {"bits16", 16, false, false},    {"bits24", 24, false, false},
      {"bits32", 32, false, false},     {"bits32_masks", 32, false, true}, {"device8", 8, true, false},
      {"device16", 16, true, false},    {"device24", 24, true, false},   {"device32", 32, true, false},
  };
  return cases;
}

TBitmap MakePicture(const TPictureCase& c, int width, int height) {
  TBitmap image = c.device ? TBitmap::DeviceFormat(width, height, c.bits) : TBitmap(width, height, c.bits);
  if (c.masked32) image.SetColorMasks(kMasks888);
  std::vector<TRGBQuad>& table = image.ColorTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    table[i] = TRGBQuad{static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(255 - i * 11),
                        static_cast<std::uint8_t>(i * 101 + 7), 0};
  }
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.Row(y);
    const std::size_t used = (static_cast<std::size_t>(width) * image.BitsPerPixel() + 7) / 8;
    for (std::size_t i = 0; i < used; ++i) row[i] = static_cast<std::uint8_t>(i * 29 + y * 71 + 13);
    // Bits past the last pixel of a 1- or 4-bit row are padding.
    const int spare = static_cast<int>(used * 8) - width * image.BitsPerPixel();
    if (spare > 0) row[used - 1] &= static_cast<std::uint8_t>(0xFF << spare);
  }
  return image;
}

TBitmap MakeQuadrants(int width, int height) {
  TBitmap image(width, height, 24);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool left = x < width / 2;
      const bool top = y < height / 2;
      TRGBQuad c{};
      if (top && left) c = {0, 0, 255, 0};
      if (top && !left) c = {0, 255, 0, 0};
      if (!top && left) c = {255, 0, 0, 0};
      if (!top && !left) c = {255, 255, 255, 0};
      std::uint8_t* p = image.Row(y) + 3 * x;
      p[0] = c.Blue;
      p[1] = c.Green;
      p[2] = c.Red;
    }
  }
  return image;
}

std::vector<std::uint8_t> RawRGB(const TBitmap& image) {
  std::vector<std::uint8_t> out;
  for (int v : {image.Width(), image.Height()}) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
  }
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const TRGBQuad c = image.PixelColor(x, y);
      out.insert(out.end(), {c.Red, c.Green, c.Blue});
    }
  }
  return out;
}
