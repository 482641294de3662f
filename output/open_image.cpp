#include "output/open_image.h"

#include <algorithm>
#include <stdexcept>

#include "output/read_bitmap_file.h"
#include "output/read_jpeg_file.h"

TImageFileType ImageFileTypeOf(const std::string& fileName) {
  if (fileName.size() < 4) return TImageFileType::ftUnknown;
  std::string last = fileName.substr(fileName.size() - 4);
  std::transform(last.begin(), last.end(), last.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
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
