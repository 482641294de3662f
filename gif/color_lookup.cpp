#include "gif/color_lookup.h"

#include <algorithm>
#include <cstdlib>

TLookupResult TNetscapeColorLookup::Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const int r = Level(red), g = Level(green), b = Level(blue);
  return {static_cast<std::uint8_t>(36 * r + 6 * g + b), static_cast<std::uint8_t>(51 * r),
          static_cast<std::uint8_t>(51 * g), static_cast<std::uint8_t>(51 * b)};
}

TLookupResult TGrayScaleLookup::Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const auto y = static_cast<std::uint8_t>((77 * red + 150 * green + 29 * blue) / 256);
  return {y, y, y, y};
}

TLookupResult TMonochromeLookup::Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (77 * red + 150 * green + 29 * blue > 0x7F00) return {1, 255, 255, 255};
  return {0, 0, 0, 0};
}

TFastColorLookup::TFastColorLookup(const TPalette& palette)
    : TColorLookup(static_cast<int>(std::min<std::size_t>(palette.size(), 256))),
      palette_(palette.begin(), palette.begin() + Colors()),
      inverse_(32768, -1) {
  for (int i = 0; i < Colors(); ++i) {
    std::int16_t& cell = inverse_[Cell(palette_[i].Red, palette_[i].Green, palette_[i].Blue)];
    if (cell == -1) cell = static_cast<std::int16_t>(i);
  }
}

TLookupResult TFastColorLookup::Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  std::int16_t& cell = inverse_[Cell(red, green, blue)];
  if (cell == -1) {
    int best = 0x30000;
    for (int i = 0; i < Colors(); ++i) {
      const TPaletteEntry& e = palette_[i];
      const int distance = std::abs(red - e.Red) + std::abs(green - e.Green) + std::abs(blue - e.Blue);
      if (distance < best) {
        best = distance;
        cell = static_cast<std::int16_t>(i);
      }
    }
  }
  const TPaletteEntry& chosen = palette_[cell];
  return {static_cast<std::uint8_t>(cell), chosen.Red, chosen.Green, chosen.Blue};
}
