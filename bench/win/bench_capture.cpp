// The capture road's GDI work under Wine, each against the bare system call
// or the portable road it is built on, on the whole screen of the display
// it runs on:
//   ScreenShot                        vs one BitBlt of the screen
//   the work between the pause and the action face (copy, thumbnail),
//   in memory of the image it replaces and in new memory
//                                     vs one BitBlt of the screen
//   capture -> GIF file               vs the portable GIF road on a copy of
//                                        the same image in the C heap
//   capture -> BMP file               vs one WriteFile of the same rows
//   one 0x404 step of a full-screen ellipse (erase and redraw)
//   the shaped cut of a full-screen ellipse vs two BitBlts of that size
// and, first of all, the peak working set after a capture and its GIF save
// against the idle program. Medians of repeated runs; ratios are ours / the
// bare call's.
// psapi.h needs the types windows.h declares.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "capture/thumb_scale.h"
#include "capture/win/draw_thumb.h"
#include "capture/win/screen_shot.h"
#include "capture/win/selection_overlay.h"
#include "capture/win/shaped_cut.h"
#include "output/write_bitmap_file.h"
#include "output/write_gif_file.h"

namespace {

constexpr int kRuns = 31;

// The median time of `work`, each run after an untimed `prepare`.
double MedianMs(const std::function<void()>& prepare, const std::function<void()>& work) {
  prepare();
  work();  // warm up caches and the driver
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
  return times[kRuns / 2];
}

double MedianMs(const std::function<void()>& work) {
  return MedianMs([] {}, work);
}

// The medians of `ours` and `peer`, each run after its untimed `prepare`,
// taken in turns so that changes in the machine's load hit both alike.
std::pair<double, double> PairedMediansMs(const std::function<void()>& prepareOurs, const std::function<void()>& ours,
                                          const std::function<void()>& preparePeer, const std::function<void()>& peer) {
  const auto timed = [](const std::function<void()>& prepare, const std::function<void()>& work) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  timed(prepareOurs, ours);  // warm up caches and the driver
  timed(preparePeer, peer);
  std::vector<double> oursTimes, peerTimes;
  for (int i = 0; i < kRuns; ++i) {
    oursTimes.push_back(timed(prepareOurs, ours));
    peerTimes.push_back(timed(preparePeer, peer));
  }
  std::nth_element(oursTimes.begin(), oursTimes.begin() + kRuns / 2, oursTimes.end());
  std::nth_element(peerTimes.begin(), peerTimes.begin() + kRuns / 2, peerTimes.end());
  return {oursTimes[kRuns / 2], peerTimes[kRuns / 2]};
}

void Report(const char* what, double ours, const char* peer, double theirs, double target) {
  std::printf("%-32s %8.2f ms  %-14s %8.2f ms  ratio %5.2f  (target <= %.2f)\n", what, ours, peer, theirs,
              ours / theirs, target);
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

TBitmap Capture(const RECT& rect) {
  TCaptureBitmap capture;
  ScreenShot(rect, capture);
  return std::move(capture.Image);
}

double PeakWorkingSetMB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}

// One WriteFile of the rows to a new file, the least a BMP save can do.
void WriteRows(const TBitmap& image, const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, image.Bits().data(), static_cast<DWORD>(image.Bits().size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int main() {
  const RECT screen_rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const int width = screen_rect.right, height = screen_rect.bottom;
  std::printf("== screen %d x %d\n", width, height);
  const std::string gif = (std::filesystem::temp_directory_path() / "grabwell_bench.gif").string();
  const std::string bmp = (std::filesystem::temp_directory_path() / "grabwell_bench.bmp").string();

  {
    // Before anything else grows the working set: what one capture and its
    // GIF save add to the idle program's peak.
    const double idle = PeakWorkingSetMB();
    TBitmap current = Capture(screen_rect);
    const double size = static_cast<double>(current.Bits().size()) / (1 << 20);
    DrawThumb(current, kThumbWidth, kThumbHeight);
    WriteGIFFile(current, gif);
    const double added = PeakWorkingSetMB() - idle;
    std::printf("%-32s %8.1f MB above idle %.1f MB, capture %.1f MB, ratio %5.2f  (target < 1.30)\n",
                "peak working set, capture + GIF", added, idle, size, added / size);
  }

  win::TWindowDC screen(nullptr);
  TMemoryCanvas full(screen.Get(), width, height);
  const auto bare = [&] { BitBlt(full.dc.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY); };
  // As in the program, each capture replaces the current image and takes
  // its memory when the size and format are the same.
  TBitmap replaced = Capture(screen_rect);
  const auto recapture = [&] {
    TCaptureBitmap capture;
    ScreenShot(screen_rect, capture, replaced.TakeRows());
    replaced = std::move(capture.Image);
  };
  const auto [shot, bare_shot] = PairedMediansMs([] {}, recapture, [] {}, bare);
  Report("ScreenShot", shot, "bare BitBlt", bare_shot, 1.05);
  const auto to_action_face = [&] {
    recapture();
    DrawThumb(replaced, kThumbWidth, kThumbHeight);
  };
  const auto [face, bare_face] = PairedMediansMs([] {}, to_action_face, [] {}, bare);
  Report("Enter -> action face, no pause", face, "bare BitBlt", bare_face, 1.10);
  // The first capture of a run, or one of another size, makes new memory.
  const auto [first, bare_first] = PairedMediansMs([&] { replaced = TBitmap(); }, to_action_face, [] {}, bare);
  std::printf("%-32s %8.2f ms  %-14s %8.2f ms  ratio %5.2f  (no target)\n", "  the same, first capture", first,
              "bare BitBlt", bare_first, first / bare_first);

  // A GIF save converts the image in place: every run saves a fresh
  // capture, and the portable road a fresh copy of one in the C heap.
  TBitmap current;
  const TBitmap kept = Capture(screen_rect);
  TBitmap portable;
  const auto [capture_gif, portable_gif] = PairedMediansMs(
      [&] { current = Capture(screen_rect); }, [&] { WriteGIFFile(current, gif); }, [&] { portable = kept; },
      [&] { WriteGIFFile(portable, gif); });
  Report("capture -> GIF file", capture_gif, "portable road", portable_gif, 1.15);
  std::filesystem::remove(gif);

  const auto [capture_bmp, write_rows] = PairedMediansMs([] {}, [&] { WriteBitmapFile(kept, bmp); }, [] {},
                                                         [&] { WriteRows(kept, bmp); });
  Report("capture -> BMP file", capture_bmp, "one WriteFile", write_rows, 1.15);
  std::filesystem::remove(bmp);

  {
    TSelectionOverlay overlay(skEllipse, {});
    overlay.WaitStart(POINT{0, 0});
    overlay.Press(0, 0);
    int step = 0;
    std::printf("%-32s %8.2f ms  (target <= 8 ms at 1920 x 1080)\n", "0x404 step, full-screen ellipse", MedianMs([&] {
                  ++step;
                  overlay.Drag(width - 1 - step % 2, height - 1 - step % 2);
                }));
    overlay.Release(width - 1, height - 1);
  }

  TCaptureBitmap shaped;
  ScreenShot(screen_rect, shaped);
  const TShapeStyle style{true, 0xFFFFFF, true, 0xFF};
  Report("shaped cut, full-screen ellipse",
         MedianMs([&] { CutShape(shaped.Bitmap, width, height, skEllipse, style); }), "two BitBlts", MedianMs([&] {
           TMemoryCanvas source(screen.Get(), width, height);
           BitBlt(full.dc.Get(), 0, 0, width, height, source.dc.Get(), 0, 0, SRCCOPY);
           BitBlt(full.dc.Get(), 0, 0, width, height, source.dc.Get(), 0, 0, SRCAND);
         }),
         3.0);
  return 0;
}
