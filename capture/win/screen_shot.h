// Copying screen pixels: the one place where the program reads the display.
#pragma once

#include "platform/win32/handles.h"
#include "platform/win32/windows_api.h"

// A bitmap compatible with the display and, on a palette display, the
// screen palette it was taken with.
struct TCaptureBitmap {
  win::TBitmapHandle Bitmap;
  win::TPalette Palette;
  int Width = 0;
  int Height = 0;
};

// Copies the screen rectangle (left, top, right, bottom; normalised by the
// caller, not clipped to the screen) into `capture`; what no monitor shows
// comes out black. A rectangle of no width or no height leaves `capture`
// as it is (empty when fresh).
void ScreenShot(const RECT& rect, TCaptureBitmap& capture);
