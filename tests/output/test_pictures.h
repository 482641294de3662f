// Deterministic pictures in every depth the BMP writer handles, shared by
// the unit tests and the probe program that feeds the independent decoders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gif/bitmap.h"

struct TPictureCase {
  std::string name;
  int bits;     // as given to TBitmap (15 means 16 with 5-5-5 masks)
  bool device;  // a capture in the display's format
  bool masked32;
};

// 1, 4, 8, 15, 16, 24, 32 bits, 32 with masks and device-format captures.
const std::vector<TPictureCase>& PictureCases();

// A width x height picture of `c`'s format whose every pixel differs from
// its neighbours; paletted ones use distinct colours in their table.
TBitmap MakePicture(const TPictureCase& c, int width, int height);

// A 24-bit picture of four flat quadrants: red top-left, green top-right,
// blue bottom-left, white bottom-right.
TBitmap MakeQuadrants(int width, int height);

// Width, height, then the RGB bytes of every pixel from the top row down.
std::vector<std::uint8_t> RawRGB(const TBitmap& image);
