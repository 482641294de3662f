#include "output/write_bitmap_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "output/bmp_format.h"

namespace {

// Little-endian field writer for one header held in memory.
class THeaderBytes {
 public:
  void U16(std::uint32_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void U32(std::uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// 16-bit images always carry masks; 32-bit ones only when they came with
// them. A plain 32-bit image is BI_RGB (blue, green, red, unused).
bool WritesMasks(const TBitmap& image) {
  return image.HasColorMasks() && (image.BitsPerPixel() == 16 || image.BitsPerPixel() == 32);
}

// Colour table entries to write: the full table of a paletted image (never
// more than its depth can index), or the palette a true-colour capture of a
// palette display carries along. A paletted image without a table gets a
// black one so the file stays consistent.
std::size_t ColorTableEntries(const TBitmap& image) {
  const std::size_t available = std::min<std::size_t>(image.ColorTable().size(), 256);
  if (image.BitsPerPixel() > 8) return available;
  const std::size_t indexable = std::size_t{1} << image.BitsPerPixel();
  return available == 0 ? indexable : std::min(available, indexable);
}

}  // namespace

void SaveBitmapToStream(const TBitmap& image, TStream& stream) {
  const bool masks = WritesMasks(image);
  const std::size_t entries = ColorTableEntries(image);
  const std::uint64_t pixelBytes = static_cast<std::uint64_t>(image.Stride()) * static_cast<std::uint64_t>(image.Height());
  // The file header records sizes in 32 bits.
  if (pixelBytes > 0xFFFF0000u) throw std::length_error("Image too large for a bitmap file");
  const std::uint32_t imageSize = static_cast<std::uint32_t>(pixelBytes);
  const std::uint32_t offBits =
      static_cast<std::uint32_t>(bmp::kFileHeaderSize + bmp::kInfoHeaderSize + (masks ? bmp::kMasksSize : 0) + 4 * entries);

  THeaderBytes header;
  header.U16(bmp::kSignature);
  header.U32(offBits + imageSize);
  header.U16(0);
  header.U16(0);
  header.U32(offBits);

  header.U32(bmp::kInfoHeaderSize);
  header.U32(static_cast<std::uint32_t>(image.Width()));
  header.U32(static_cast<std::uint32_t>(image.Height()));  // positive: rows stored bottom-up
  header.U16(1);                                           // planes
  header.U16(static_cast<std::uint32_t>(image.BitsPerPixel()));
  header.U32(masks ? bmp::kBitFields : bmp::kRGB);
  header.U32(imageSize);
  header.U32(0);  // no resolution recorded
  header.U32(0);
  header.U32(static_cast<std::uint32_t>(entries));
  header.U32(0);  // all colours important

  if (masks) {
    for (std::uint32_t mask : image.ColorMasks()) header.U32(mask);
  }
  const std::vector<TRGBQuad>& table = image.ColorTable();
  for (std::size_t i = 0; i < entries; ++i) {
    const TRGBQuad color = i < table.size() ? table[i] : TRGBQuad{};
    header.U32(color.Blue | (color.Green << 8) | (color.Red << 16));
  }

  stream.Write(header.Bytes().data(), header.Bytes().size());
  stream.Write(image.Bits().data(), imageSize);
}

void WriteBitmapFile(const TBitmap& image, const std::string& path) {
  TFileStream file(path, TFileStream::Mode::Create);
  SaveBitmapToStream(image, file);
  file.Close();
}
