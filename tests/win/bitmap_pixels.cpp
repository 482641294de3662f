#include "bitmap_pixels.h"

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// DIB pixels are 0x00RRGGBB; colour values swap red and blue.
COLORREF Swapped(COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); }

}  // namespace

win::TBitmapHandle MakeDisplayBitmap(int width, int height) {
  win::TWindowDC screen(nullptr);
  return win::TBitmapHandle(CreateCompatibleBitmap(screen.Get(), width, height));
}

win::TBitmapHandle MakeDisplayBitmap(const TPixels& pixels) {
  win::TBitmapHandle bitmap = MakeDisplayBitmap(pixels.Width, pixels.Height);
  std::vector<COLORREF> dib;
  for (COLORREF c : pixels.Values) dib.push_back(Swapped(c));
  BITMAPINFO info = TopDown32(pixels.Width, pixels.Height);
  win::TWindowDC screen(nullptr);
  SetDIBits(screen.Get(), bitmap.Get(), 0, pixels.Height, dib.data(), &info, DIB_RGB_COLORS);
  return bitmap;
}

TPixels ReadBitmap(HBITMAP bitmap, int width, int height) {
  TPixels pixels{width, height, std::vector<COLORREF>(static_cast<std::size_t>(width) * height)};
  if (pixels.Values.empty()) return pixels;
  BITMAPINFO info = TopDown32(width, height);
  win::TWindowDC screen(nullptr);
  GetDIBits(screen.Get(), bitmap, 0, height, pixels.Values.data(), &info, DIB_RGB_COLORS);
  for (COLORREF& c : pixels.Values) c = Swapped(c);
  return pixels;
}

TPixels ReadScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  win::TBitmapHandle copy = MakeDisplayBitmap(width, height);
  {
    win::TWindowDC screen(nullptr);
    win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
    win::TSelectObject selection(dc.Get(), copy.Get());
    BitBlt(dc.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
  }
  return ReadBitmap(copy.Get(), width, height);
}

TPixels Pattern(int width, int height) {
  TPixels pixels{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.Values.push_back(RGB(16 + (x * 7) % 224, 16 + (y * 11) % 224, 16 + ((x + y) * 5) % 224));
    }
  }
  return pixels;
}
