// Colour lookups: map one colour to a palette index and say which palette
// colour was chosen (the dither engines diffuse the difference).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gif/palettes.h"

struct TLookupResult {
  std::uint8_t Index = 0;
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

class TColorLookup {
 public:
  explicit TColorLookup(int colors) : colors_(colors) {}
  virtual ~TColorLookup() = default;
  TColorLookup(const TColorLookup&) = delete;
  TColorLookup& operator=(const TColorLookup&) = delete;

  virtual TLookupResult Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) = 0;
  // How many colours the lookup can return; 0 means there is no palette.
  int Colors() const { return colors_; }

 private:
  int colors_;
};

// The 6 x 6 x 6 cube. A component c falls on level (c + 3) div 51, so
// 0..47 give level 0 and 252..255 level 5.
class TNetscapeColorLookup final : public TColorLookup {
 public:
  TNetscapeColorLookup() : TColorLookup(216) {}
  static int Level(std::uint8_t component) { return (component + 3) / 51; }
  TLookupResult Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;
};

// 256 grays by luminance (77 R + 150 G + 29 B) div 256.
class TGrayScaleLookup final : public TColorLookup {
 public:
  TGrayScaleLookup() : TColorLookup(256) {}
  TLookupResult Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;
};

// White above the luminance sum 32512, black at or below it.
class TMonochromeLookup final : public TColorLookup {
 public:
  TMonochromeLookup() : TColorLookup(2) {}
  TLookupResult Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;
};

// Any palette of up to 256 entries. An inverse table over 5-5-5 colour
// cells remembers the entry found for each cell, so each cell costs at
// most one linear search; colours of one cell share their index.
class TFastColorLookup final : public TColorLookup {
 public:
  explicit TFastColorLookup(const TPalette& palette);
  TLookupResult Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;

 private:
  static int Cell(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return (blue >> 3) * 1024 + (green >> 3) * 32 + (red >> 3);
  }

  TPalette palette_;
  std::vector<std::int16_t> inverse_;
};
