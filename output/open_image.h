// Opening an image file as the current image: the file type is decided by
// the upper-cased last four characters of its name.
#pragma once

#include <string>

#include "gif/bitmap.h"

enum class TImageFileType { ftJPEG, ftBitmap, ftUnknown };

// The message shown when the name ends in anything but .JPG or .BMP.
inline constexpr const char* kUnknownFileTypeText = "Unknown file type selected.";

// ".JPG" (any case) is JPEG, ".BMP" is a bitmap; everything else, ".JPEG"
// included, is unknown.
TImageFileType ImageFileTypeOf(const std::string& fileName);

// Reads the file as its name says. Raises EStreamError, EInvalidBitmap or
// EJPEGError when it cannot be read, and std::invalid_argument with
// kUnknownFileTypeText for a name of unknown type. Nothing is returned for a
// file that fails, so the caller's current image stays as it was.
TBitmap LoadImageFile(const std::string& path);
