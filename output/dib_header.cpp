#include "output/dib_header.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

#include "output/bmp_format.h"

namespace {

// 16-bit images always carry masks; 32-bit ones only when they came with
// them. A plain 32-bit image is BI_RGB (blue, green, red, unused).
bool HasMasks(const TBitmap& image) {
  return image.HasColorMasks() && (image.BitsPerPixel() == 16 || image.BitsPerPixel() == 32);
}

// Colour table entries: the full table of a paletted image (never more than
// its depth can index), or the palette a true-colour capture of a palette
// display carries along. A paletted image without a table gets a black one
// so the header stays consistent.
std::size_t ColorTableEntries(const TBitmap& image) {
  const std::size_t available = std::min<std::size_t>(image.ColorTable().size(), 256);
  if (image.BitsPerPixel() > 8) return available;
  const std::size_t indexable = std::size_t{1} << image.BitsPerPixel();
  return available == 0 ? indexable : std::min(available, indexable);
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> DibHeader(const TBitmap& image) {
  const bool masks = HasMasks(image);
  const std::size_t entries = ColorTableEntries(image);
  const std::uint64_t pixelBytes =
      static_cast<std::uint64_t>(image.Stride()) * static_cast<std::uint64_t>(image.Height());
  // A BMP file also records header and rows together in 32 bits.
  if (pixelBytes > 0xFFFF0000u) throw std::length_error("Image too large for a bitmap file");

  std::vector<std::uint8_t> header;
  header.reserve(bmp::kInfoHeaderSize + bmp::kMasksSize + 4 * entries);
  PutU32(header, bmp::kInfoHeaderSize);
  PutU32(header, static_cast<std::uint32_t>(image.Width()));
  PutU32(header, static_cast<std::uint32_t>(image.Height()));  // positive: rows stored bottom-up
  PutU16(header, 1);                                           // planes
  PutU16(header, static_cast<std::uint32_t>(image.BitsPerPixel()));
  PutU32(header, masks ? bmp::kBitFields : bmp::kRGB);
  PutU32(header, static_cast<std::uint32_t>(pixelBytes));
  PutU32(header, 0);  // no resolution recorded
  PutU32(header, 0);
  PutU32(header, static_cast<std::uint32_t>(entries));
  PutU32(header, 0);  // all colours important

  if (masks) {
    for (std::uint32_t mask : image.ColorMasks()) PutU32(header, mask);
  }
  const std::vector<TRGBQuad>& table = image.ColorTable();
  for (std::size_t i = 0; i < entries; ++i) {
    const TRGBQuad color = i < table.size() ? table[i] : TRGBQuad{};
    PutU32(header, color.Blue | (color.Green << 8) | (color.Red << 16));
  }
  return header;
}
