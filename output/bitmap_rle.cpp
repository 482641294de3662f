#include "output/bitmap_rle.h"

#include <cstddef>

#include "output/invalid_bitmap.h"

namespace {

// Writes colour indices into the stored (bottom-up) rows; every write is
// checked against the picture first, so a hostile run cannot overrun.
class TIndexWriter {
 public:
  explicit TIndexWriter(TBitmap& image) : image_(image), nibbles_(image.BitsPerPixel() == 4) {}

  void Put(std::int64_t x, std::int64_t storedRow, unsigned index) {
    std::uint8_t* row = image_.Bits().data() + static_cast<std::size_t>(storedRow) * image_.Stride();
    if (!nibbles_) {
      row[x] = static_cast<std::uint8_t>(index);
      return;
    }
    std::uint8_t& byte = row[x / 2];
    byte = (x % 2 == 0) ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                        : static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F));
  }

  void RequireRoom(std::int64_t x, std::int64_t storedRow, std::int64_t count) const {
    if (storedRow >= image_.Height() || x + count > image_.Width()) throw EInvalidBitmap(kBitmapBadCompressedData);
  }

  bool Nibbles() const { return nibbles_; }
  bool PastTopRow(std::int64_t storedRow) const { return storedRow >= image_.Height(); }

 private:
  TBitmap& image_;
  bool nibbles_;
};

}  // namespace

void ExpandRLE(std::span<const std::uint8_t> data, TBitmap& image) {
  TIndexWriter out(image);
  std::int64_t x = 0;
  std::int64_t y = 0;  // stored row: 0 is the bottom row of the picture
  std::size_t p = 0;
  while (p + 2 <= data.size()) {
    const unsigned count = data[p];
    const unsigned value = data[p + 1];
    p += 2;
    if (count > 0) {
      // Encoded run: `count` pixels of one index (two alternating for RLE4).
      out.RequireRoom(x, y, count);
      for (unsigned i = 0; i < count; ++i) {
        out.Put(x + i, y, out.Nibbles() ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
      }
      x += count;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of bitmap
        return;
      case 2:  // delta: move right and up
        if (p + 2 > data.size()) throw EInvalidBitmap(kBitmapTruncated);
        x += data[p];
        y += data[p + 1];
        p += 2;
        break;
      default: {  // absolute run of `value` literal pixels, padded to a 16-bit boundary
        const std::size_t bytes = out.Nibbles() ? (value + 1) / 2 : value;
        if (p + bytes > data.size()) throw EInvalidBitmap(kBitmapTruncated);
        out.RequireRoom(x, y, value);
        for (unsigned i = 0; i < value; ++i) {
          out.Put(x + i, y, out.Nibbles() ? (data[p + i / 2] >> ((i % 2 == 0) ? 4 : 0)) & 0x0F : data[p + i]);
        }
        x += value;
        p += bytes + (bytes & 1);
        break;
      }
    }
  }
  // Some writers end with an end-of-line after the top row and no
  // end-of-bitmap escape; anything shorter is a cut-off file.
  if (!out.PastTopRow(y)) throw EInvalidBitmap(kBitmapTruncated);
}
