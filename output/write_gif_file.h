// The GIF file writer of the save and e-mail roads.
#pragma once

#include <string>

#include "gif/bitmap.h"
#include "gif/gif_types.h"

// Explicit choices for writing a GIF, as a command-line tool offers them.
struct TGIFOptions {
  TGIFEncoding Encoding = encRunLength;
  TReductionMethod Reduction = rdWebCube;
  TDitherKind Dither = dkNearest;
  int ReductionBits = 8;
};

// Writes `image` as a one-frame GIF87a file with run-length coded data,
// reduced to the 216-colour cube without dithering unless it is a 1-, 4-
// or 8-bit device-independent image. Sets the process-wide default
// encoding to run-length first. A true-colour or device-format `image` is
// converted in place to 24 bits (same pixels). Raises GIFException or the
// stream errors ("Cannot create file %s", "Stream write error").
void WriteGIFFile(TBitmap& image, const std::string& path);

// The same with the given choices; the process-wide defaults are left alone.
void WriteGIFFileWith(TBitmap& image, const std::string& path, const TGIFOptions& options);
