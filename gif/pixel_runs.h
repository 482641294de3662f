// Finding where a run of one colour index ends, for the image-data
// encoders.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// The first byte from `p` on that differs from `pixel` (or `end`), eight
// bytes at a time.
inline const std::uint8_t* RunEnd(const std::uint8_t* p, const std::uint8_t* end, std::uint8_t pixel) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t pattern = 0x0101010101010101ull * pixel;
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      if (const std::uint64_t diff = word ^ pattern; diff != 0) return p + std::countr_zero(diff) / 8;
      p += 8;
    }
  }
  while (p < end && *p == pixel) ++p;
  return p;
}
