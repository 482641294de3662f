// Pixels of bitmaps and of the screen for the GDI tests, as Windows colour
// values (0x00BBGGRR), row by row from the top.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/win32/handles.h"

struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<COLORREF> Values;
  COLORREF At(int x, int y) const { return Values[static_cast<std::size_t>(y) * Width + x]; }
};

// A bitmap compatible with the display.
win::TBitmapHandle MakeDisplayBitmap(int width, int height);
// A bitmap of the display's format holding `pixels`.
win::TBitmapHandle MakeDisplayBitmap(const TPixels& pixels);
TPixels ReadBitmap(HBITMAP bitmap, int width, int height);
TPixels ReadScreen(const RECT& area);
// A picture in which neighbouring pixels differ and no pixel is black or white.
TPixels Pattern(int width, int height);
