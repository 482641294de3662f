#include "gif/palettes.h"

#include <iterator>

namespace {

constexpr TPaletteEntry kStaticColors[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

void AppendCube(TPalette& palette) {
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        palette.push_back({static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
                           static_cast<std::uint8_t>(51 * b), 0});
}

TPaletteEntry Gray(int level) {
  const auto v = static_cast<std::uint8_t>(level);
  return {v, v, v, kPaletteNoCollapse};
}

}  // namespace

TPalette StockPalette() { return TPalette(std::begin(kStaticColors), std::end(kStaticColors)); }

TPalette HalftonePalette() {
  TPalette palette(std::begin(kStaticColors), std::begin(kStaticColors) + 10);
  AppendCube(palette);
  for (int i = 1; i <= 20; ++i) {
    const auto v = static_cast<std::uint8_t>(255 * i / 21);
    palette.push_back({v, v, v, 0});
  }
  palette.insert(palette.end(), std::begin(kStaticColors) + 10, std::end(kStaticColors));
  return palette;
}

TPalette Gray4Palette() { return {Gray(0), Gray(128), Gray(192), Gray(255)}; }

TPalette MonochromePalette() { return {{0, 0, 0, 0}, {255, 255, 255, 0}}; }

TPalette Gray256Palette() {
  TPalette palette;
  for (int i = 0; i < 256; ++i) palette.push_back(Gray(i));
  return palette;
}

TPalette WebCubePalette() {
  TPalette palette;
  AppendCube(palette);
  return palette;
}
