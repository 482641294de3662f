// The capture road's GDI work under Wine, each against the bare system call
// it is built on, on the whole screen of the display it runs on:
//   ScreenShot                  vs one BitBlt of the screen
//   device bitmap -> GIF file   vs GetDIBits + the portable GIF road
//   one 0x404 step of a full-screen ellipse (erase and redraw)
//   the shaped cut of a full-screen ellipse vs two BitBlts of that size
// and the work between the pause and the action face (copy, conversion,
// thumbnail). Medians of repeated runs; ratios are ours / the bare call's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "capture/thumb_scale.h"
#include "capture/win/draw_thumb.h"
#include "capture/win/screen_shot.h"
#include "capture/win/selection_overlay.h"
#include "capture/win/shaped_cut.h"
#include "output/win/device_image.h"
#include "output/write_gif_file.h"

namespace {

constexpr int kRuns = 15;

double MedianMs(const std::function<void()>& work) {
  work();  // warm up caches and the driver
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
  return times[kRuns / 2];
}

void Report(const char* what, double ours, double bare, double target) {
  std::printf("%-34s %9.2f ms  bare %9.2f ms  ratio %5.2f  (target <= %.1f)\n", what, ours, bare, ours / bare, target);
}

// A display-compatible bitmap selected into a memory DC for the bare calls.
struct TMemoryCanvas {
  TMemoryCanvas(HDC screen, int width, int height)
      : dc(CreateCompatibleDC(screen)),
        bitmap(CreateCompatibleBitmap(screen, width, height)),
        select(dc.Get(), bitmap.Get()) {}
  win::TCreatedDC dc;
  win::TBitmapHandle bitmap;
  win::TSelectObject select;
};

}  // namespace

int main() {
  const RECT screen_rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const int width = screen_rect.right, height = screen_rect.bottom;
  std::printf("== screen %d x %d\n", width, height);
  win::TWindowDC screen(nullptr);

  TMemoryCanvas full(screen.Get(), width, height);
  const double bare_blt = MedianMs([&] { BitBlt(full.dc.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY); });
  Report("ScreenShot", MedianMs([&] {
           TCaptureBitmap capture;
           ScreenShot(screen_rect, capture);
         }),
         bare_blt, 1.2);

  TCaptureBitmap capture;
  ScreenShot(screen_rect, capture);
  const std::string gif = (std::filesystem::temp_directory_path() / "grabwell_bench.gif").string();
  const double ours_gif = MedianMs([&] {
    TBitmap current = ImageFromDeviceBitmap(capture.Bitmap.Get(), capture.Palette.Get());
    WriteGIFFile(current, gif);
  });
  const double bare_gif = MedianMs([&] {
    TBitmap bits(width, height, 32);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB};
    GetDIBits(screen.Get(), capture.Bitmap.Get(), 0, static_cast<UINT>(height), bits.Bits().data(), &info,
              DIB_RGB_COLORS);
    WriteGIFFile(bits, gif);
  });
  std::filesystem::remove(gif);
  Report("device bitmap -> GIF file", ours_gif, bare_gif, 1.1);

  std::printf("%-34s %9.2f ms  (target <= 150 ms at 1920 x 1080)\n", "capture to action face, no pause", MedianMs([&] {
                TCaptureBitmap shot;
                ScreenShot(screen_rect, shot);
                const TBitmap current = ImageFromDeviceBitmap(shot.Bitmap.Get(), shot.Palette.Get());
                DrawThumb(current, kThumbWidth, kThumbHeight);
              }));

  {
    TSelectionOverlay overlay(skEllipse, {});
    overlay.WaitStart(POINT{0, 0});
    overlay.Press(0, 0);
    int step = 0;
    std::printf("%-34s %9.2f ms  (target <= 8 ms at 1920 x 1080)\n", "0x404 step, full-screen ellipse", MedianMs([&] {
                  ++step;
                  overlay.Drag(width - 1 - step % 2, height - 1 - step % 2);
                }));
    overlay.Release(width - 1, height - 1);
  }

  const TShapeStyle style{true, 0xFFFFFF, true, 0xFF};
  Report("shaped cut, full-screen ellipse",
         MedianMs([&] { CutShape(capture.Bitmap.Get(), width, height, skEllipse, style); }), MedianMs([&] {
           TMemoryCanvas source(screen.Get(), width, height);
           BitBlt(full.dc.Get(), 0, 0, width, height, source.dc.Get(), 0, 0, SRCCOPY);
           BitBlt(full.dc.Get(), 0, 0, width, height, source.dc.Get(), 0, 0, SRCAND);
         }),
         3.0);
  return 0;
}
