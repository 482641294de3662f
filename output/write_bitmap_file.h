// The bitmap writer: the current image as a standard Windows BMP file, in
// the image's own depth, without any conversion.
#pragma once

#include <string>

#include "gif/bitmap.h"
#include "platform/stream.h"

// Writes the BMP file (file header, BITMAPINFOHEADER, the three masks of a
// bit-field image, the colour table, then the rows bottom-up) to `stream`.
void SaveBitmapToStream(const TBitmap& image, TStream& stream);

// Creates or replaces the file at `path`; raises EStreamError
// ("Cannot create file %s", "Stream write error").
void WriteBitmapFile(const TBitmap& image, const std::string& path);
