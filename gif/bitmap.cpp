#include "gif/bitmap.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "gif/row_kernels.h"
#include "platform/pixel_memory.h"

namespace {

// Rows the image allocated itself.
class THeapPixels final : public TPixelOwner {
 public:
  explicit THeapPixels(std::size_t size) : bits_(platform::AllocateZeroedPixels(size)) {}
  ~THeapPixels() override { platform::FreePixels(bits_); }
  THeapPixels(const THeapPixels&) = delete;
  THeapPixels& operator=(const THeapPixels&) = delete;
  std::uint8_t* Bits() const { return bits_; }

 private:
  std::uint8_t* bits_;
};

bool IsStoredDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Widens a masked channel to 8 bits by bit replication, the way GDI does it,
// so that full intensity stays 255 and zero stays zero.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int width = std::popcount(mask >> shift);
  std::uint32_t value = (pixel & mask) >> shift;
  if (width >= 8) return static_cast<std::uint8_t>(value >> (width - 8));
  std::uint32_t wide = 0;
  int filled = 0;
  while (filled < 8) {
    wide = (wide << width) | value;
    filled += width;
  }
  return static_cast<std::uint8_t>(wide >> (filled - 8));
}

}  // namespace

std::size_t TBitmap::StrideFor(int width, int bitsPerPixel) {
  if (width <= 0) return 0;
  const std::uint64_t bitsPerRow = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel);
  return static_cast<std::size_t>((bitsPerRow + 31) / 32 * 4);
}

TBitmap::TBitmap(int width, int height, int bitsPerPixel) {
  if (width < 0 || height < 0) throw std::invalid_argument("Invalid image dimensions");
  const bool fifteen = bitsPerPixel == 15;
  if (fifteen) bitsPerPixel = 16;
  if (!IsStoredDepth(bitsPerPixel)) throw std::invalid_argument("Unsupported PixelFormat");
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  const std::uint64_t size = static_cast<std::uint64_t>(Stride()) * static_cast<std::uint64_t>(height);
  if (size > std::numeric_limits<std::size_t>::max() / 2) throw std::length_error("Invalid image dimensions");
  auto heap = std::make_unique<THeapPixels>(static_cast<std::size_t>(size));
  bits_ = heap->Bits();
  bitsSize_ = static_cast<std::size_t>(size);
  owner_ = std::move(heap);
  if (bitsPerPixel == 16) SetColorMasks(fifteen ? kMasks555 : kMasks565);
  if (bitsPerPixel <= 8) colorTable_.resize(std::size_t{1} << bitsPerPixel);
}

TBitmap::TBitmap(const TBitmap& other) : TBitmap(other.width_, other.height_, other.bitsPerPixel_) {
  CopyFormat(other);
  colorTable_ = other.colorTable_;
  // The copy is exactly as long as the rows (a converted image's memory may be longer).
  if (other.bitsSize_ > 0) std::memcpy(bits_, other.bits_, other.bitsSize_);
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this != &other) *this = TBitmap(other);
  return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept { *this = std::move(other); }

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this == &other) return *this;
  CopyFormat(other);
  colorTable_ = std::move(other.colorTable_);
  owner_ = std::move(other.owner_);
  bits_ = std::exchange(other.bits_, nullptr);
  bitsSize_ = std::exchange(other.bitsSize_, 0);
  other.width_ = other.height_ = 0;
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::CopyFormat(const TBitmap& other) {
  width_ = other.width_;
  height_ = other.height_;
  bitsPerPixel_ = other.bitsPerPixel_;
  device_ = other.device_;
  hasMasks_ = other.hasMasks_;
  masks_ = other.masks_;
}

bool operator==(const TBitmap& a, const TBitmap& b) {
  return a.width_ == b.width_ && a.height_ == b.height_ && a.bitsPerPixel_ == b.bitsPerPixel_ &&
         a.device_ == b.device_ && a.hasMasks_ == b.hasMasks_ && a.masks_ == b.masks_ &&
         a.colorTable_ == b.colorTable_ && std::ranges::equal(a.Bits(), b.Bits());
}

TBitmap TBitmap::DeviceFormat(int width, int height, int bitsPerPixel) {
  TBitmap image(width, height, bitsPerPixel);
  image.device_ = true;
  return image;
}

TBitmap TBitmap::DeviceFormat(int width, int height, int bitsPerPixel, std::uint8_t* bits,
                              std::unique_ptr<TPixelOwner> owner) {
  TBitmap image(0, 0, bitsPerPixel);
  image.width_ = width;
  image.height_ = height;
  image.device_ = true;
  image.owner_ = std::move(owner);
  image.bits_ = bits;
  image.bitsSize_ = image.Stride() * static_cast<std::size_t>(std::max(height, 0));
  return image;
}

std::unique_ptr<TPixelOwner> TBitmap::TakeRows() {
  TBitmap gone = std::move(*this);
  return std::move(gone.owner_);
}

void TBitmap::SetColorMasks(const TColorMasks& masks) {
  masks_ = masks;
  hasMasks_ = true;
}

TRGBQuad TBitmap::PixelColor(int x, int y) const {
  const std::uint8_t* row = Row(y);
  switch (bitsPerPixel_) {
    case 1:
    case 4:
    case 8: {
      const int perByte = 8 / bitsPerPixel_;
      const int shift = 8 - bitsPerPixel_ * (x % perByte + 1);
      const unsigned index = (row[x / perByte] >> shift) & ((1u << bitsPerPixel_) - 1);
      if (index < colorTable_.size()) return colorTable_[index];
      return TRGBQuad{};
    }
    case 16: {
      const std::uint32_t pixel = row[2 * x] | (row[2 * x + 1] << 8);
      const TColorMasks& m = hasMasks_ ? masks_ : kMasks555;
      return TRGBQuad{Channel(pixel, m[2]), Channel(pixel, m[1]), Channel(pixel, m[0]), 0};
    }
    case 24:
      return TRGBQuad{row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    default: {
      const std::uint8_t* p = row + 4 * x;
      if (!hasMasks_) return TRGBQuad{p[0], p[1], p[2], 0};
      const std::uint32_t pixel = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
      return TRGBQuad{Channel(pixel, masks_[2]), Channel(pixel, masks_[1]), Channel(pixel, masks_[0]), 0};
    }
  }
}

bool TBitmap::IsPlain32Bit() const { return bitsPerPixel_ == 32 && (!hasMasks_ || masks_ == kMasks888); }

void TBitmap::RowAs24Bit(int y, std::uint8_t* out) const {
  const auto width = static_cast<std::size_t>(std::max(width_, 0));
  if (bitsPerPixel_ == 24) {
    std::memcpy(out, Row(y), 3 * width);
    return;
  }
  if (IsPlain32Bit()) {
    PackRow32To24Portable(Row(y), out, width);
    return;
  }
  for (int x = 0; x < width_; ++x, out += 3) {
    const TRGBQuad c = PixelColor(x, y);
    out[0] = c.Blue;
    out[1] = c.Green;
    out[2] = c.Red;
  }
}

void TBitmap::ConvertTo24Bit() {
  if (bitsPerPixel_ == 24 && !device_) return;
  if (IsPlainTrueColor()) {
    ConvertPlainTo24BitInPlace(nullptr);
    return;
  }
  // Fewer bits a pixel than 24: the rows need more room than they have.
  TBitmap result(width_, height_, 24);
  for (int y = 0; y < height_; ++y) RowAs24Bit(y, result.Row(y));
  *this = std::move(result);
}

void TBitmap::ConvertPlainTo24Bit(const std::function<void(int y, const std::uint8_t* row)>& visitRow) {
  if (!IsPlainTrueColor()) throw std::invalid_argument("Unsupported PixelFormat");
  ConvertPlainTo24BitInPlace(visitRow);
}

// A 24- or plain 32-bit image needs no new pixel store: each stored row
// moves down to its 24-bit place, which never lies past bytes not yet
// read (a 24-bit row is never longer than a 32-bit one), so one forward
// pass suffices; the bytes a row's packing may overwrite past its end are
// still before the next stored row.
void TBitmap::ConvertPlainTo24BitInPlace(const std::function<void(int, const std::uint8_t*)>& visitRow) {
  if (bitsPerPixel_ == 24 && visitRow) {
    for (int y = 0; y < height_; ++y) visitRow(y, Row(y));
  }
  if (bitsPerPixel_ == 32) {
    const std::size_t oldStride = Stride();
    const std::size_t newStride = StrideFor(width_, 24);
    const std::size_t width = static_cast<std::size_t>(std::max(width_, 0));
    for (std::size_t row = 0; row < static_cast<std::size_t>(std::max(height_, 0)); ++row) {
      const std::uint8_t* in = bits_ + row * oldStride;
      std::uint8_t* out = bits_ + row * newStride;
      if (visitRow) visitRow(height_ - 1 - static_cast<int>(row), in);
      PackRow32To24(in, out, width);
      std::fill(out + 3 * width, out + newStride, std::uint8_t{0});
    }
    bitsSize_ = newStride * static_cast<std::size_t>(std::max(height_, 0));
  }
  bitsPerPixel_ = 24;
  device_ = false;
  hasMasks_ = false;
  masks_ = {};
  colorTable_.clear();
}
