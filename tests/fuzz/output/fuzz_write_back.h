// What the fuzz targets do with a picture a reader accepted: write it the
// ways the program can (BMP, GIF, JPEG) and check the BMP reads back the same.
#pragma once

#include <algorithm>
#include <cstdlib>

#include "gif/gif_image.h"
#include "output/jpeg_image.h"
#include "output/read_bitmap_file.h"
#include "output/write_bitmap_file.h"

inline void WriteBackEveryWay(TBitmap image) {
  TMemoryStream bmp;
  SaveBitmapToStream(image, bmp);
  const TBitmap again = DecodeBitmap(bmp.Bytes());
  if (!std::ranges::equal(again.Bits(), image.Bits()) || again.BitsPerPixel() != image.BitsPerPixel()) std::abort();

  // Colour reduction of huge pictures would only slow the fuzzer down.
  if (static_cast<long long>(image.Width()) * image.Height() > 512 * 512) return;
  if (!image.Empty()) {
    TJPEGImage jpeg;
    jpeg.Assign(image);
    jpeg.CompressionQuality = 100;
    jpeg.Compress();
  }
  TGIFImage gif;
  gif.Assign(image);
  TMemoryStream out;
  gif.SaveToStream(out);
}
