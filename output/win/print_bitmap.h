// Draws the current image onto a printer's (or any) device context.
#pragma once

#include "gif/bitmap.h"
#include "output/print_geometry.h"
#include "platform/win32/windows_api.h"

// Copies the image's pixels into `target`, stretched to its size, through
// the image's device-independent form, so that paletted, 16-bit and 32-bit
// images keep their own colours on any device. An empty image or target
// draws nothing; a device that refuses the pixels raises EPrinterError.
void PrintBitmap(HDC dc, const TPrintRect& target, const TBitmap& image);
