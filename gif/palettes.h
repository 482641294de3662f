// The fixed palettes of colour reduction.
#pragma once

#include <cstdint>
#include <vector>

struct TPaletteEntry {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  std::uint8_t Flags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

using TPalette = std::vector<TPaletteEntry>;

// Marks an entry that must keep its own slot in a hardware palette.
inline constexpr std::uint8_t kPaletteNoCollapse = 4;

// The 20 static system colours of the default stock palette: ten at the
// bottom of a 256-entry hardware palette, ten at the top.
TPalette StockPalette();

// A fixed halftone palette for the portable build: the first ten static
// colours, the 6 x 6 x 6 cube (levels 0, 51, ..., 255; red slowest), 20
// grays 255 * i / 21 for i = 1 .. 20 (none equals a gray of the cube),
// then the last ten static colours: 256 entries.
TPalette HalftonePalette();

// Four grays: 0, 128, 192, 255.
TPalette Gray4Palette();

// Black and white.
TPalette MonochromePalette();

// 256 grays, entry i = (i, i, i).
TPalette Gray256Palette();

// The 216-colour cube: entry 36 r + 6 g + b is (51 r, 51 g, 51 b).
TPalette WebCubePalette();
