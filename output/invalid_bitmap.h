// The one error the BMP reader raises, with its fixed texts.
#pragma once

#include "gif/gif_exception.h"

// A file that cannot be opened as a bitmap: an invalid graphic.
class EInvalidBitmap : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

inline constexpr const char* kBitmapNotBMP = "Not a bitmap file";
inline constexpr const char* kBitmapTruncated = "Bitmap file is truncated";
inline constexpr const char* kBitmapHeaderUnsupported = "Bitmap header type is not supported";
inline constexpr const char* kBitmapFormatUnsupported = "Bitmap pixel format is not supported";
inline constexpr const char* kBitmapBadSize = "Bitmap size is not valid";
inline constexpr const char* kBitmapTooLarge = "Bitmap image is too large";
inline constexpr const char* kBitmapBadOffset = "Bitmap pixel data offset is not valid";
inline constexpr const char* kBitmapBadColorTable = "Bitmap colour table is not valid";
inline constexpr const char* kBitmapBadCompressedData = "Bitmap compressed data is not valid";
inline constexpr const char* kBitmapBadColorIndex = "Bitmap colour index is out of range";
