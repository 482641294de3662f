#include "gif/dib.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "gif/gif_exception.h"

std::uint8_t* TDIB::ScanLineAt(int row) const {
  if (row < 0 || row >= bitmap_->Height()) throw GIFException(sScanLineRange);
  return bitmap_->Row(row);
}

TDIBReader::TDIBReader(TBitmap& bitmap, int bitsPerPixel) : TDIB(bitmap) {
  if (bitmap.Empty()) throw GIFException(sInvalidImageDimensions);
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
    throw GIFException(sUnsupportedPixelFormat);
  const std::size_t needed = bitmap.Stride() * static_cast<std::size_t>(bitmap.Height());
  if (bitmap.Bits().size() < needed) throw GIFException(sNoDIB);
  if (bitsPerPixel == bitmap.BitsPerPixel() && !bitmap.IsDeviceFormat()) return;
  if (bitsPerPixel != 24) throw GIFException(sUnsupportedPixelFormat);
  bitmap.ConvertTo24Bit();
}

std::vector<TRGBQuad> ColorTableOf(const TPalette& palette) {
  std::vector<TRGBQuad> table(256);
  for (std::size_t i = 0; i < table.size() && i < palette.size(); ++i)
    table[i] = TRGBQuad{palette[i].Blue, palette[i].Green, palette[i].Red, 0};
  return table;
}

TDIBWriter::TDIBWriter(TBitmap& result, const TPalette& palette, int height, int width, int bitsPerPixel)
    : TDIB(image_), result_(result) {
  if (bitsPerPixel != 8 && bitsPerPixel != 24) throw GIFException(sUnsupportedPixelFormat);
  if (width <= 0 || height <= 0) throw GIFException(sInvalidImageDimensions);
  try {
    image_ = TBitmap(width, height, bitsPerPixel);
  } catch (const std::bad_alloc&) {
    throw GIFException(sOutOfMemoryDIB);
  } catch (const std::length_error&) {
    throw GIFException(sOutOfMemoryDIB);
  }
  if (bitsPerPixel == 8) {
    image_.ColorTable() = ColorTableOf(palette);
  } else {
    image_.ColorTable().clear();
  }
}

void TDIBWriter::Commit() { result_ = std::move(image_); }
