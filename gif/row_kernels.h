// The per-row steps of the program's GIF road, with vector code where the
// processor has it: mapping 32- and 24-bit pixels to the 216-colour cube,
// and packing 32-bit pixels down to 24 bits.
#pragma once

#include <cstddef>
#include <cstdint>

// The cube level (c + 3) div 51 of a component, as a multiply and a shift
// (exact for 0..255).
inline std::uint32_t CubeLevel(std::uint32_t component) { return (component + 3) * 1286 >> 16; }

// The cube index 36 R + 6 G + B (levels) of a pixel stored blue, green, red.
inline std::uint8_t CubeIndex(const std::uint8_t* bgr) {
  return static_cast<std::uint8_t>(36 * CubeLevel(bgr[2]) + 6 * CubeLevel(bgr[1]) + CubeLevel(bgr[0]));
}

// The cube indices of `width` 32-bit pixels (blue, green, red, unused).
void MapRow32ToCube(const std::uint8_t* source, std::uint8_t* indices, std::size_t width);
// The same for 24-bit pixels (blue, green, red).
void MapRow24ToCube(const std::uint8_t* source, std::uint8_t* indices, std::size_t width);

// Moves `width` 32-bit pixels to 24-bit ones (the fourth byte dropped).
// `out` may equal `in` or lie before it: the row is then packed in place.
// Bytes after the last packed pixel, up to 4 * width from `out`, may be
// overwritten.
void PackRow32To24(const std::uint8_t* in, std::uint8_t* out, std::size_t width);

// The same two steps by portable code only; the vector paths must give the
// same bytes.
void MapRow32ToCubePortable(const std::uint8_t* source, std::uint8_t* indices, std::size_t width);
void MapRow24ToCubePortable(const std::uint8_t* source, std::uint8_t* indices, std::size_t width);
void PackRow32To24Portable(const std::uint8_t* in, std::uint8_t* out, std::size_t width);
