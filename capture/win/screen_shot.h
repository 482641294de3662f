// Copying screen pixels: the one place where the program reads the display.
#pragma once

#include <memory>

#include "gif/bitmap.h"
#include "platform/win32/windows_api.h"

// A copy of the screen: an image in the display's own format whose rows
// are those of the DIB section the screen was copied into (see
// CreateDisplayImage), ready to become the current image as it is.
struct TCaptureBitmap {
  TBitmap Image;
  // The section, for GDI to draw into (the shaped cut) while Image has it.
  HBITMAP Bitmap = nullptr;
  int Width = 0;
  int Height = 0;
};

// Copies the screen rectangle (left, top, right, bottom; normalised by the
// caller, not clipped to the screen) into `capture`; what no monitor shows
// comes out black. A rectangle of no width or no height leaves `capture`
// as it is (empty when fresh). `replaced`, the rows of the image the
// capture will replace, are taken again when they fit (see
// CreateDisplayImage) and freed otherwise.
void ScreenShot(const RECT& rect, TCaptureBitmap& capture, std::unique_ptr<TPixelOwner> replaced = nullptr);
