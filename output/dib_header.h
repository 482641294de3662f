// The header of an image's device-independent form, as a BMP file stores it
// after its file header and as GDI takes it in a BITMAPINFO: the 40-byte
// info header, the three masks of a bit-field image, then the colour table.
// The image's rows already have the layout that follows such a header.
#pragma once

#include <cstdint>
#include <vector>

#include "gif/bitmap.h"

// Raises std::length_error when the pixel rows exceed what the header's
// 32-bit size fields can record.
std::vector<std::uint8_t> DibHeader(const TBitmap& image);
