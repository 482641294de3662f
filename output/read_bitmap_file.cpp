#include "output/read_bitmap_file.h"

#include <algorithm>
#include <cstring>

#include "output/bitmap_rle.h"
#include "output/bmp_format.h"
#include "output/image_limits.h"
#include "platform/stream.h"

namespace {

// The headers and colour table take at most this many bytes from the
// file's start (file header, V5 header, masks, 256 entries): all that is
// read of a file before its pixel data.
constexpr std::size_t kLongestHeaders = bmp::kFileHeaderSize + bmp::kV5HeaderSize + 16 + 256 * 4;

// Bounds-checked little-endian reads from the file's first bytes, which
// hold everything before the pixel data.
class TFileBytes {
 public:
  explicit TFileBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

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

// The bytes from the pixel data on: the file in memory, or the file on
// disk, which is then read straight into the image's rows.
class TPixelData {
 public:
  virtual ~TPixelData() = default;
  // Copies `count` bytes from offset `at` of the file to `out`; raises
  // kBitmapTruncated when the file ends before.
  virtual void Read(std::uint64_t at, std::uint8_t* out, std::size_t count) = 0;
};

class TMemoryPixelData final : public TPixelData {
 public:
  explicit TMemoryPixelData(std::span<const std::uint8_t> file) : file_(file) {}
  void Read(std::uint64_t at, std::uint8_t* out, std::size_t count) override {
    if (at > file_.size() || file_.size() - at < count) throw EInvalidBitmap(kBitmapTruncated);
    if (count > 0) std::memcpy(out, file_.data() + at, count);
  }

 private:
  std::span<const std::uint8_t> file_;
};

class TFilePixelData final : public TPixelData {
 public:
  explicit TFilePixelData(TFileStream& file) : file_(file) {}
  void Read(std::uint64_t at, std::uint8_t* out, std::size_t count) override {
    file_.SetPosition(at);
    if (file_.Read(out, count) != count) throw EInvalidBitmap(kBitmapTruncated);
  }

 private:
  TFileStream& file_;
};

void ReadUncompressedRows(TPixelData& data, std::uint64_t available, const TBitmapLayout& layout,
                          TBitmap& image) {
  const std::size_t stride = image.Stride();
  const std::size_t rows = static_cast<std::size_t>(image.Height());
  // The size limits keep stride * rows far below overflow.
  const std::size_t bytes = stride * rows;
  if (available < bytes) throw EInvalidBitmap(kBitmapTruncated);
  if (bytes == 0) return;  // a zero-width or zero-height picture has no pixels to read
  if (!layout.topDown) {
    data.Read(layout.pixelOffset, image.Bits().data(), bytes);
    return;
  }
  for (std::size_t r = 0; r < rows; ++r) data.Read(layout.pixelOffset + r * stride, image.Row(static_cast<int>(r)), stride);
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

// `head` is the file's first kLongestHeaders bytes (the whole file when
// it is shorter).
TBitmap Decode(std::span<const std::uint8_t> head, std::uint64_t fileSize, TPixelData& data) {
  const TFileBytes in(head);
  const TBitmapLayout layout = ParseLayout(in);
  std::vector<TRGBQuad> table = ReadColorTable(in, layout);
  if (layout.pixelOffset < layout.tableOffset || layout.pixelOffset > fileSize) {
    throw EInvalidBitmap(kBitmapBadOffset);
  }

  // The rows are all read, so the image's zeros cost nothing (see TBitmap).
  TBitmap image(static_cast<int>(layout.width), static_cast<int>(layout.height), layout.bits);
  const std::uint64_t available = fileSize - layout.pixelOffset;
  if (layout.compression == bmp::kRLE8 || layout.compression == bmp::kRLE4) {
    std::uint64_t size = available;
    if (layout.imageSize != 0 && layout.imageSize < size) size = layout.imageSize;
    std::vector<std::uint8_t> compressed(static_cast<std::size_t>(size));
    data.Read(layout.pixelOffset, compressed.data(), compressed.size());
    ExpandRLE(compressed, image);
  } else {
    ReadUncompressedRows(data, available, layout, image);
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

}  // namespace

TBitmap DecodeBitmap(std::span<const std::uint8_t> file) {
  TMemoryPixelData data(file);
  return Decode(file, file.size(), data);
}

TBitmap ReadBitmapFile(const std::string& path) {
  TFileStream file(path, TFileStream::Mode::OpenRead);
  const std::uint64_t size = file.Size();
  std::vector<std::uint8_t> head(static_cast<std::size_t>(std::min<std::uint64_t>(size, kLongestHeaders)));
  file.ReadBuffer(head.data(), head.size());
  TFilePixelData data(file);
  return Decode(head, size, data);
}
