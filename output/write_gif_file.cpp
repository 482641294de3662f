#include "output/write_gif_file.h"

#include "gif/gif_image.h"

void WriteGIFFile(TBitmap& image, const std::string& path) {
  DefaultCompression = encRunLength;
  TGIFImage gif;
  gif.SaveBitmapToFile(image, path);
}

void WriteGIFFileWith(TBitmap& image, const std::string& path, const TGIFOptions& options) {
  TGIFImage gif;
  gif.Compression = options.Encoding;
  gif.ColorReduction = options.Reduction;
  gif.DitherMode = options.Dither;
  gif.ReductionBits = options.ReductionBits;
  gif.SaveBitmapToFile(image, path);
}
