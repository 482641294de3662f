#include "capture/win/draw_thumb.h"

#include "capture/thumb_scale.h"
#include "output/win/device_image.h"

win::TBitmapHandle DrawThumb(const TBitmap& image, int boxWidth, int boxHeight) {
  // A 32-bit DIB section rather than a bitmap compatible with the screen:
  // the thumbnail is made on every capture, and under Wine making and
  // selecting a screen-compatible bitmap costs as much again as the whole
  // stretch (0.2 ms). The screen shows either the same.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), boxWidth, boxHeight, 1, 32, BI_RGB};
  void* bits = nullptr;
  win::TBitmapHandle thumb(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::TCreatedDC dc(CreateCompatibleDC(nullptr));
  win::TSelectObject selected(dc.Get(), thumb.Get());
  RECT all{0, 0, boxWidth, boxHeight};
  FillRect(dc.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
  const TThumbSize size = ThumbSizeFor({boxWidth, boxHeight}, image.Width(), image.Height());
  if (size.Width > 0 && size.Height > 0) {
    // Averaging the pixels that fall together keeps text and thin lines
    // readable; dropping pixels would not.
    SetStretchBltMode(dc.Get(), HALFTONE);
    SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
    StretchImage(dc.Get(), RECT{0, 0, size.Width, size.Height}, image);
  }
  return thumb;
}
