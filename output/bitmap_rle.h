// Expansion of run-length compressed BMP pixel data (BI_RLE8, BI_RLE4).
#pragma once

#include <cstdint>
#include <span>

#include "gif/bitmap.h"

// Expands `data` into `image`, an all-zero 8- or 4-bit bitmap of the final
// size; pixels the data skips (delta and end-of-line escapes) stay index 0.
// Raises EInvalidBitmap when a run or a delta leaves the picture or the data
// ends before the end-of-bitmap escape.
void ExpandRLE(std::span<const std::uint8_t> data, TBitmap& image);
