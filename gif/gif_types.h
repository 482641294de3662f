// The option values of the GIF library and its process-wide defaults.
// The enumerations are bytes: any byte value can be stored, and values
// outside the named range are handled (reduction and dithering give an
// empty result, any encoding other than run-length selects LZW).
#pragma once

#include <cstdint>

enum TGIFEncoding : std::uint8_t {
  encLZW = 0,
  encRunLength = 1,
};

enum TReductionMethod : std::uint8_t {
  rdNone = 0,
  rdStockPalette = 1,
  rdHalftone = 2,
  rdGray4 = 3,
  rdMonochrome = 4,
  rdGray256 = 5,
  rdWebCube = 6,
  rdOctree = 7,
  rdOctreeSystem = 8,
  rdCustomPalette = 9,
};

enum TDitherKind : std::uint8_t {
  dkNearest = 0,
  dkFloydSteinberg = 1,
  dkStucki = 2,
  dkSierra = 3,
  dkJaJuNi = 4,
  dkSteveArche = 5,
  dkBurkes = 6,
};

// Copied by every TGIFImage when it is created.
extern TReductionMethod DefaultColorReduction;
extern int DefaultReductionBits;
extern TDitherKind DefaultDitherMode;
extern TGIFEncoding DefaultCompression;
