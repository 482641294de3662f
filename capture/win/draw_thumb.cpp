#include "capture/win/draw_thumb.h"

#include "capture/thumb_scale.h"
#include "output/win/device_image.h"

win::TBitmapHandle DrawThumb(const TBitmap& image, int boxWidth, int boxHeight) {
  win::TWindowDC screen(nullptr);
  win::TBitmapHandle thumb(CreateCompatibleBitmap(screen.Get(), boxWidth, boxHeight));
  win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
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
