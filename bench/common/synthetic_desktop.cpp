#include "bench/common/synthetic_desktop.h"

#include <algorithm>
#include <cstdint>

namespace {

struct TColor {
  std::uint8_t r, g, b;
};

// A small linear congruential generator: deterministic everywhere, unlike
// the standard distributions whose output may differ between libraries.
class TRandom {
 public:
  explicit TRandom(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint32_t>(bound)); }

 private:
  std::uint32_t state_;
};

class TCanvas {
 public:
  explicit TCanvas(TBitmap& image) : image_(image) {}

  void Pixel(int x, int y, TColor c) {
    if (x < 0 || y < 0 || x >= image_.Width() || y >= image_.Height()) return;
    std::uint8_t* p = image_.Row(y) + 4 * static_cast<std::size_t>(x);
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
    p[3] = 0;
  }

  void Fill(int left, int top, int width, int height, TColor c) {
    const int x0 = std::max(left, 0), x1 = std::min(left + width, image_.Width());
    const int y0 = std::max(top, 0), y1 = std::min(top + height, image_.Height());
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Pixel(x, y, c);
  }

  // A raised 3-D edge as the classic controls draw it.
  void Bevel(int left, int top, int width, int height, TColor light, TColor dark) {
    Fill(left, top, width, 1, light);
    Fill(left, top, 1, height, light);
    Fill(left, top + height - 1, width, 1, dark);
    Fill(left + width - 1, top, 1, height, dark);
  }

 private:
  TBitmap& image_;
};

constexpr TColor kDesktop{58, 110, 165};
constexpr TColor kFace{192, 192, 192};
constexpr TColor kLight{255, 255, 255};
constexpr TColor kShadow{128, 128, 128};
constexpr TColor kTitle{0, 0, 128};
constexpr TColor kWhite{255, 255, 255};
constexpr TColor kInk{0, 0, 0};

// Lines of "words": short runs of glyph-like strokes with gaps, so that
// the picture has the many short runs that real text gives.
void DrawText(TCanvas& canvas, TRandom& random, int left, int top, int width, int height) {
  for (int line = top + 4; line + 10 < top + height; line += 14) {
    int x = left + 6;
    while (x < left + width - 12) {
      const int word = 2 + random.Below(8);
      for (int g = 0; g < word && x < left + width - 8; ++g, x += 7) {
        const std::uint32_t glyph = random.Next();
        for (int gy = 0; gy < 9; ++gy)
          for (int gx = 0; gx < 5; ++gx)
            if (glyph >> ((gy * 5 + gx) % 24) & 1 && (gx == 0 || gy % 4 == 0 || gx == 4))
              canvas.Pixel(x + gx, line + gy, gy == 8 ? kShadow : kInk);
      }
      x += 5;
    }
  }
}

void DrawWindow(TCanvas& canvas, TRandom& random, int left, int top, int width, int height) {
  canvas.Fill(left, top, width, height, kFace);
  canvas.Bevel(left, top, width, height, kLight, kShadow);
  canvas.Fill(left + 3, top + 3, width - 6, 18, kTitle);
  DrawText(canvas, random, left + 3, top + 2, width / 3, 18);
  canvas.Fill(left + 4, top + 24, width - 8, height - 28, kWhite);
  DrawText(canvas, random, left + 4, top + 24, width - 8, height - 28);
}

void DrawIcons(TCanvas& canvas, TRandom& random, int height) {
  for (int top = 12; top + 60 < height - 40; top += 76) {
    const TColor body{static_cast<std::uint8_t>(random.Below(256)), static_cast<std::uint8_t>(random.Below(256)),
                      static_cast<std::uint8_t>(random.Below(256))};
    canvas.Fill(20, top, 32, 32, body);
    canvas.Bevel(20, top, 32, 32, kLight, kInk);
    canvas.Fill(28, top + 8, 16, 16, kWhite);
    DrawText(canvas, random, 8, top + 36, 56, 16);
  }
}

// Smooth colour gradients with grain: a photograph's worth of distinct colours.
void DrawPhoto(TCanvas& canvas, TRandom& random, int left, int top) {
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 720; ++x) {
      const int noise = random.Below(33) - 16;
      const auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
      canvas.Pixel(left + x, top + y,
                   TColor{clamp(x * 255 / 720 + noise), clamp(y * 255 / 480 + noise / 2),
                          clamp(((x + y) & 255) / 2 + 64 + noise)});
    }
}

}  // namespace

TBitmap MakeSyntheticDesktop(int width, int height) {
  TBitmap image = TBitmap::DeviceFormat(width, height, 32);
  TCanvas canvas(image);
  TRandom random(20260101u);
  canvas.Fill(0, 0, width, height, kDesktop);
  DrawIcons(canvas, random, height);

  DrawWindow(canvas, random, 90, 40, width / 2, height / 2);
  DrawWindow(canvas, random, width / 3, height / 4, width / 2, height / 2);
  DrawWindow(canvas, random, width / 8, height / 2, width / 3, height / 3);
  if (width >= 3000) DrawWindow(canvas, random, width * 2 / 3, 60, width / 4, height * 3 / 4);
  DrawPhoto(canvas, random, width - 720 - 40, std::max(0, height - 480 - 80));

  canvas.Fill(0, height - 40, width, 40, kFace);
  canvas.Bevel(0, height - 40, width, 40, kLight, kShadow);
  canvas.Fill(4, height - 36, 90, 32, kFace);
  canvas.Bevel(4, height - 36, 90, 32, kLight, kInk);
  DrawText(canvas, random, 8, height - 36, 80, 28);
  for (int button = 0; button < 5; ++button) canvas.Bevel(110 + button * 170, height - 36, 160, 32, kLight, kShadow);
  return image;
}
