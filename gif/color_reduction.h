// Colour reduction: a bitmap of any format becomes an 8-bit image with a
// 256-entry colour table, by the palette of the reduction method and the
// mapping of the dither kind.
#pragma once

#include <vector>

#include "gif/bitmap.h"
#include "gif/gif_types.h"
#include "gif/index_rows.h"
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

// True when ReduceColors with these settings maps each pixel of `bitmap`
// on its own to the cube (rdWebCube, dkNearest, a 24- or 32-bit source),
// so that TCubeRows can make the indices row by row instead.
bool ReducesPixelByPixelToCube(const TBitmap& bitmap, TReductionMethod method, TDitherKind dither);

// The indices that ReduceColors gives a 24-bit bitmap on the cube without
// dithering, each row made when it is asked for. `bitmap` must stay as it
// is while the rows are read.
class TCubeRows final : public TIndexRows {
 public:
  // Raises "Unsupported PixelFormat" unless `bitmap` is a 24-bit DIB.
  explicit TCubeRows(const TBitmap& bitmap);
  const std::uint8_t* Row(int y) override;

 private:
  const TBitmap& bitmap_;
  std::vector<std::uint8_t> row_;
};
