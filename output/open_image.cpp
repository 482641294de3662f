#include "output/open_image.h"

#include <stdexcept>

#include "output/read_bitmap_file.h"
#include "output/read_jpeg_file.h"
#include "output/save_rules.h"

TImageFileType ImageFileTypeOf(const std::string& fileName) {
  const std::string last = UpperCaseEnding(fileName);
  if (last == ".JPG") return TImageFileType::ftJPEG;
  if (last == ".BMP") return TImageFileType::ftBitmap;
  return TImageFileType::ftUnknown;
}

TBitmap LoadImageFile(const std::string& path) {
  switch (ImageFileTypeOf(path)) {
    case TImageFileType::ftJPEG:
      return ReadJPEGFile(path);
    case TImageFileType::ftBitmap:
      return ReadBitmapFile(path);
    case TImageFileType::ftUnknown:
      break;
  }
  throw std::invalid_argument(kUnknownFileTypeText);
}
