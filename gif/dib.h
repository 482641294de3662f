// Row access to bitmaps for colour reduction and frame conversion: a
// reader that brings a bitmap into a wanted format first, and the writer
// of the 8-bit result image.
#pragma once

#include <cstdint>
#include <vector>

#include "gif/bitmap.h"
#include "gif/palettes.h"

// What reader and writer share: a bitmap with checked row access.
class TDIB {
 public:
  int Width() const { return bitmap_->Width(); }
  int Height() const { return bitmap_->Height(); }
  int BitsPerPixel() const { return bitmap_->BitsPerPixel(); }

 protected:
  explicit TDIB(TBitmap& bitmap) : bitmap_(&bitmap) {}
  // Raises "Scan line index out of range" for a row outside the image.
  std::uint8_t* ScanLineAt(int row) const;

  TBitmap* bitmap_;
};

// Reads a bitmap at 1, 4, 8 or 24 bits per pixel. Opening it converts the
// bitmap itself in place when it is not already a device-independent
// image of that format (only 24 is ever converted to). Raises
// "Invalid image dimensions" for an empty bitmap and "Image has no DIB"
// when its pixel store is shorter than its size says.
class TDIBReader final : public TDIB {
 public:
  TDIBReader(TBitmap& bitmap, int bitsPerPixel);
  const std::uint8_t* ScanLine(int row) const { return ScanLineAt(row); }
};

// The colour table of a reduction's 8-bit result: the palette's entries,
// then black, 256 entries in all.
std::vector<TRGBQuad> ColorTableOf(const TPalette& palette);

// Builds the result of a reduction: 8 bits per pixel with a 256-entry
// colour table (the palette, then black), or 24 bits with no table.
// Raises "Unsupported PixelFormat" for other depths, "Invalid image
// dimensions" for a zero size and "Failed to allocate memory for GIF DIB".
// Commit() hands the image to the result bitmap; until then the result is
// left alone, so an error leaves no half-built image behind.
class TDIBWriter final : public TDIB {
 public:
  TDIBWriter(TBitmap& result, const TPalette& palette, int height, int width, int bitsPerPixel = 8);
  std::uint8_t* ScanLine(int row) const { return ScanLineAt(row); }
  void Commit();

 private:
  TBitmap& result_;
  TBitmap image_;
};
