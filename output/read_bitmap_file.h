// The BMP reader: opens a Windows or OS/2 bitmap file as a TBitmap in the
// file's own depth. Reads 1/4/8-bit paletted (also with short colour
// tables), RLE8 and RLE4, 16/24/32-bit with or without bit-field masks,
// bottom-up and top-down files, with core, info, V4 and V5 headers.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "gif/bitmap.h"
#include "output/invalid_bitmap.h"

// Decodes the bytes of a whole BMP file. A malformed, truncated or oversized
// file raises EInvalidBitmap; nothing outside `file` is ever read.
TBitmap DecodeBitmap(std::span<const std::uint8_t> file);

// Reads the file at `path` (EStreamError "Cannot open file %s" when it
// cannot be opened, EInvalidBitmap when it is not a usable bitmap).
TBitmap ReadBitmapFile(const std::string& path);
