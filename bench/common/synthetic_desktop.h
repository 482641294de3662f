// A deterministic picture that looks like a captured Windows desktop, for
// benchmarks: the same bytes on every run and every machine.
#pragma once

#include "gif/bitmap.h"

// A 32-bit capture in the display's own format (IsDeviceFormat() is true),
// width x height pixels: flat desktop colour, a bevelled task bar, a column
// of icons, overlapping windows full of text-like detail and a 720 x 480
// noisy photo-like region. 1920 x 1080 and 3840 x 2160 are the usual sizes;
// any size of at least 1 x 1 works (parts that do not fit are clipped).
TBitmap MakeSyntheticDesktop(int width, int height);
