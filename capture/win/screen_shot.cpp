#include "capture/win/screen_shot.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "capture/win/capture_rect.h"
#include "output/win/device_image.h"
#include "platform/win32/handles.h"

namespace {

// A copy from the display may stage what it reads: Wine's X11 driver
// holds the whole area as the X server sends it and once more converted,
// twice the capture's size for a moment. Band by band the stage never
// holds more than a band, so the capture is held once. Each band costs a
// trip to the display, so a large capture takes a few dozen bands rather
// than hundreds; a small one takes bands of 256 KB, which stay in the
// processor's cache and make the copy faster than one call.
constexpr int kMinBandBytes = 256 * 1024;
constexpr int kMostBands = 32;

// BitBlt with SRCCOPY, a band of rows at a time.
void CopyInBands(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY) {
  const std::int64_t row_bytes = 4 * std::int64_t{std::max(1, width)};
  const std::int64_t band_bytes = std::max<std::int64_t>(kMinBandBytes, row_bytes * height / kMostBands);
  const int band = static_cast<int>(std::max<std::int64_t>(1, band_bytes / row_bytes));
  for (int row = 0; row < height; row += band) {
    BitBlt(target, x, y + row, width, std::min(band, height - row), source, sourceX, sourceY + row, SRCCOPY);
  }
}

}  // namespace

void ScreenShot(const RECT& rect, TCaptureBitmap& capture, std::unique_ptr<TPixelOwner> replaced) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width == 0 || height == 0) return;
  // The screen's own DC covers every monitor in screen coordinates, like a
  // DC made on the "DISPLAY" driver, and is far cheaper to get (4 ms a
  // capture under Wine).
  win::TWindowDC display(nullptr);
  capture.Width = width;
  capture.Height = height;
  if (!display) return;
  // The one copy of the pixels: from the screen into the rows of the image.
  capture.Image = CreateDisplayImage(display.Get(), width, height, capture.Bitmap, std::move(replaced));
  if (!capture.Bitmap) return;
  win::TCreatedDC target(CreateCompatibleDC(display.Get()));
  win::TSelectObject selected(target.Get(), capture.Bitmap);
  const TRect area{rect.left, rect.top, rect.right, rect.bottom};
  const TVirtualScreen screen = CurrentVirtualScreen();
  // Only the part on the virtual screen is copied: a copy whose source
  // reaches past it is not reliable (under Wine it comes back black as a
  // whole). What no monitor shows becomes black, whatever the display
  // keeps there.
  const TRect shown = Intersection(area, screen.Bounds());
  const TRect shown_in_image = ToImage(shown, {area.Left, area.Top});
  CopyInBands(target.Get(), shown_in_image.Left, shown_in_image.Top, shown.Width(), shown.Height(), display.Get(),
              shown.Left, shown.Top);
  for (const TRect& part : screen.UncoveredParts(area)) {
    PatBlt(target.Get(), part.Left, part.Top, part.Width(), part.Height(), BLACKNESS);
  }
  // The image reads the section's rows directly, after GDI is done.
  GdiFlush();
}
