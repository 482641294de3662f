#include "output/write_image_file.h"

#include "output/jpeg_image.h"
#include "output/write_bitmap_file.h"
#include "output/write_gif_file.h"

void WriteImageFile(TSaveFormat format, TBitmap& image, const std::string& path) {
  switch (format) {
    case TSaveFormat::sfBitmap:
      WriteBitmapFile(image, path);
      break;
    case TSaveFormat::sfGIF:
      WriteGIFFile(image, path);
      break;
    case TSaveFormat::sfJPEG:
      WriteJPEGFile(image, path);
      break;
  }
}
