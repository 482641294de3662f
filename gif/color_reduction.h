// Colour reduction: a bitmap of any format becomes an 8-bit image with a
// 256-entry colour table, by the palette of the reduction method and the
// mapping of the dither kind.
#pragma once

#include "gif/bitmap.h"
#include "gif/gif_types.h"
#include "gif/palettes.h"

// Returns the reduced image, 8 bits per pixel, rows as in the source.
// The source is converted in place to a 24-bit image with the same pixels
// (except for rdNone, which returns a 24-bit copy and leaves it alone).
// An unknown method or dither kind, or a palette without colours (for
// example rdCustomPalette without `customPalette`), gives an empty bitmap.
// reductionBits (rdOctree's colour count 2^bits) is clamped to 1 .. 8.
TBitmap ReduceColors(TBitmap& bitmap, TReductionMethod method, TDitherKind dither, int reductionBits,
                     const TPalette* customPalette = nullptr);

// The same reduction by the general per-pixel road only. ReduceColors
// takes a faster road for rdWebCube with dkNearest from 24- and 32-bit
// sources; this one lets tests and benchmarks compare the two.
TBitmap ReduceColorsPerPixel(TBitmap& bitmap, TReductionMethod method, TDitherKind dither, int reductionBits,
                             const TPalette* customPalette = nullptr);
