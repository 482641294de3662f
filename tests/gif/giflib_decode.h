// Decodes GIF bytes with giflib, the independent decoder the tests trust.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TDecodedGIF {
  bool ok = false;
  std::string error;
  std::string version;  // "87a" or "89a"
  int screenWidth = 0;
  int screenHeight = 0;
  int frames = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  // The colour map in use (local, else global): red, green, blue per entry.
  std::vector<std::uint8_t> colors;
  // One index per pixel, rows from the top in picture order.
  std::vector<std::uint8_t> pixels;

  // The red, green, blue of pixel i through the colour map.
  std::uint32_t Rgb(std::size_t i) const;
};

TDecodedGIF DecodeWithGiflib(const std::vector<std::uint8_t>& bytes);

// Wraps an encoder's image data into a minimal one-frame file that giflib
// accepts: header, a gray colour table of 2^bits entries, descriptor.
std::vector<std::uint8_t> WrapImageData(const std::vector<std::uint8_t>& imageData, int width, int height,
                                        int bits, bool interlaced);
