// One writer for the three formats the current image is written in.
#pragma once

#include <string>

#include "gif/bitmap.h"
#include "output/save_rules.h"

// Writes `image` to `path` as a BMP, GIF or JPEG file. The GIF writer turns
// `image` into a 24-bit image with the same pixels. The writers' errors
// pass to the caller.
void WriteImageFile(TSaveFormat format, TBitmap& image, const std::string& path);
