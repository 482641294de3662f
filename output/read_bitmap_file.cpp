#include "output/read_bitmap_file.h"

#include <cstring>

#include "output/bitmap_rle.h"
#include "output/bmp_format.h"
#include "output/image_limits.h"
#include "platform/stream.h"

namespace {

// Bounds-checked little-endian reads from the file image.
class TFileBytes {
 public:
  explicit TFileBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Size() const { return bytes_.size(); }
  void Require(std::size_t end) const {
    if (end > bytes_.size()) throw EInvalidBitmap(kBitmapTruncated);
  }
  std::uint32_t U16(std::size_t at) const {
    Require(at + 2);
    return bytes_[at] | (bytes_[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::span<const std::uint8_t> From(std::size_t at) const { return bytes_.subspan(at); }

 private:
  std::span<const std::uint8_t> bytes_;
};

struct TBitmapLayout {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = bmp::kRGB;
  std::uint32_t imageSize = 0;  // optional for uncompressed files
  std::uint32_t colorsUsed = 0;
  bool hasMasks = false;
  TColorMasks masks{};
  std::size_t tableOffset = 0;     // first colour table entry in the file
  std::size_t tableEntrySize = 4;  // 3 in OS/2 core files
  std::size_t pixelOffset = 0;
};

bool IsInfoHeaderSize(std::size_t size) {
  // 40 info, 52/56 the Adobe extensions with masks, 64 OS/2 2.x, 108 V4, 124 V5.
  return size == bmp::kInfoHeaderSize || size == 52 || size == 56 || size == 64 || size == bmp::kV4HeaderSize ||
         size == bmp::kV5HeaderSize;
}

bool IsSupportedFormat(int bits, std::uint32_t compression, bool topDown) {
  switch (compression) {
    case bmp::kRGB:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case bmp::kRLE8:
      return bits == 8 && !topDown;
    case bmp::kRLE4:
      return bits == 4 && !topDown;
    case bmp::kBitFields:
    case bmp::kAlphaBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

TBitmapLayout ParseLayout(const TFileBytes& in) {
  in.Require(bmp::kFileHeaderSize + 4);
  if (in.U16(0) != bmp::kSignature) throw EInvalidBitmap(kBitmapNotBMP);
  TBitmapLayout layout;
  layout.pixelOffset = in.U32(10);
  const std::size_t at = bmp::kFileHeaderSize;
  const std::size_t headerSize = in.U32(at);
  if (headerSize == bmp::kCoreHeaderSize) {
    layout.width = in.U16(at + 4);
    layout.height = in.U16(at + 6);
    layout.bits = static_cast<int>(in.U16(at + 10));
    layout.tableEntrySize = 3;
    layout.tableOffset = at + headerSize;
  } else if (IsInfoHeaderSize(headerSize)) {
    in.Require(at + headerSize);
    layout.width = in.I32(at + 4);
    const std::int32_t height = in.I32(at + 8);
    if (height == INT32_MIN) throw EInvalidBitmap(kBitmapBadSize);
    layout.topDown = height < 0;
    layout.height = layout.topDown ? -static_cast<std::int64_t>(height) : height;
    layout.bits = static_cast<int>(in.U16(at + 14));
    layout.compression = in.U32(at + 16);
    layout.imageSize = in.U32(at + 20);
    layout.colorsUsed = in.U32(at + 32);
    layout.tableOffset = at + headerSize;
    if (layout.compression == bmp::kBitFields || layout.compression == bmp::kAlphaBitFields) {
      // Masks live inside the longer headers and follow a 40-byte one.
      std::size_t masksAt = at + bmp::kInfoHeaderSize;
      if (headerSize == bmp::kInfoHeaderSize) {
        layout.tableOffset += layout.compression == bmp::kAlphaBitFields ? 16 : bmp::kMasksSize;
      }
      layout.masks = {in.U32(masksAt), in.U32(masksAt + 4), in.U32(masksAt + 8)};
      layout.hasMasks = true;
    }
  } else {
    throw EInvalidBitmap(kBitmapHeaderUnsupported);
  }
  in.Require(layout.tableOffset);
  if (layout.width < 0) throw EInvalidBitmap(kBitmapBadSize);
  if (!ImageSizeAllowed(layout.width, layout.height)) throw EInvalidBitmap(kBitmapTooLarge);
  if (!IsSupportedFormat(layout.bits, layout.compression, layout.topDown)) {
    throw EInvalidBitmap(kBitmapFormatUnsupported);
  }
  return layout;
}

// The colour table of a paletted file; it must lie between the headers and
// the pixel data. True-colour files may carry an optimisation palette,
// which is not needed to show the pixels and is skipped.
std::vector<TRGBQuad> ReadColorTable(const TFileBytes& in, const TBitmapLayout& layout) {
  if (layout.bits > 8) return {};
  const std::uint32_t indexable = 1u << layout.bits;
  const std::uint32_t count = layout.colorsUsed == 0 ? indexable : layout.colorsUsed;
  if (count > indexable) throw EInvalidBitmap(kBitmapBadColorTable);
  const std::size_t end = layout.tableOffset + count * layout.tableEntrySize;
  if (end > layout.pixelOffset) throw EInvalidBitmap(kBitmapBadOffset);
  in.Require(end);
  std::vector<TRGBQuad> table(count);
  const std::span<const std::uint8_t> bytes = in.From(layout.tableOffset);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = bytes.data() + i * layout.tableEntrySize;
    table[i] = TRGBQuad{entry[0], entry[1], entry[2], 0};
  }
  return table;
}

void CopyUncompressedRows(std::span<const std::uint8_t> data, const TBitmapLayout& layout, TBitmap& image) {
  const std::size_t stride = image.Stride();
  const std::size_t rows = static_cast<std::size_t>(image.Height());
  // The size limits keep stride * rows far below overflow.
  const std::size_t bytes = stride * rows;
  if (data.size() < bytes) throw EInvalidBitmap(kBitmapTruncated);
  if (bytes == 0) return;  // a zero-width or zero-height picture has no pixels to copy
  if (!layout.topDown) {
    std::memcpy(image.Bits().data(), data.data(), bytes);
    return;
  }
  for (std::size_t r = 0; r < rows; ++r) std::memcpy(image.Row(static_cast<int>(r)), data.data() + r * stride, stride);
}

// Every pixel of a paletted image must name an entry of its (possibly short)
// colour table.
void CheckColorIndices(const TBitmap& image) {
  const int bits = image.BitsPerPixel();
  const std::size_t entries = image.ColorTable().size();
  if (entries >= (std::size_t{1} << bits)) return;
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint8_t* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      const int shift = 8 - bits * (x % perByte + 1);
      if (((row[x / perByte] >> shift) & mask) >= entries) throw EInvalidBitmap(kBitmapBadColorIndex);
    }
  }
}

}  // namespace

TBitmap DecodeBitmap(std::span<const std::uint8_t> file) {
  const TFileBytes in(file);
  const TBitmapLayout layout = ParseLayout(in);
  std::vector<TRGBQuad> table = ReadColorTable(in, layout);
  if (layout.pixelOffset < layout.tableOffset || layout.pixelOffset > in.Size()) {
    throw EInvalidBitmap(kBitmapBadOffset);
  }

  TBitmap image(static_cast<int>(layout.width), static_cast<int>(layout.height), layout.bits);
  std::span<const std::uint8_t> data = in.From(layout.pixelOffset);
  if (layout.compression == bmp::kRLE8 || layout.compression == bmp::kRLE4) {
    if (layout.imageSize != 0 && layout.imageSize < data.size()) data = data.first(layout.imageSize);
    ExpandRLE(data, image);
  } else {
    CopyUncompressedRows(data, layout, image);
  }

  if (layout.bits <= 8) {
    image.ColorTable() = std::move(table);
    CheckColorIndices(image);
  } else if (layout.hasMasks) {
    image.SetColorMasks(layout.masks);
  } else if (layout.bits == 16) {
    image.SetColorMasks(kMasks555);  // BI_RGB 16-bit is 5-5-5
  }
  return image;
}

TBitmap ReadBitmapFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return DecodeBitmap(bytes);
}
