#include "print_pattern.h"

TBitmap PrintPattern() {
  TBitmap image(60, 40, 8);
  // Palette order: red, green, blue, yellow, magenta, cyan (blue, green, red).
  const TRGBQuad colours[] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
  for (int i = 0; i < 6; ++i) image.ColorTable()[i + 10] = colours[i];
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) image.Row(y)[x] = static_cast<std::uint8_t>(10 + x / 20 + 3 * (y / 20));
  }
  return image;
}
