// The JPEG reader: decodes a baseline or progressive JPEG file at full size
// into a 24-bit TBitmap. Colour, grayscale and CMYK/YCCK files are read.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "gif/bitmap.h"
#include "output/jpeg_error.h"

// Decodes a whole JPEG stream. A corrupt, truncated or oversized stream
// raises EJPEGError ("JPEG error #%d"); nothing is returned half decoded.
TBitmap DecodeJPEG(std::span<const std::uint8_t> stream);

// Reads the file at `path` (EStreamError "Cannot open file %s" when it
// cannot be opened).
TBitmap ReadJPEGFile(const std::string& path);
