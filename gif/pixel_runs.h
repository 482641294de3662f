// Finding where runs of one colour index start and end, for the
// image-data encoders.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// How many pixels RunStarts16 looks at.
inline constexpr int kRunStartBlock = 16;

// Bit i set where p[i] differs from p[i - 1], for i = 0 .. 15: where a new
// run starts. Reads p[-1] .. p[15]. Portable code, one byte at a time.
inline std::uint32_t RunStarts16Portable(const std::uint8_t* p) {
  std::uint32_t mask = 0;
  for (int i = 0; i < kRunStartBlock; ++i) mask |= static_cast<std::uint32_t>(p[i] != p[i - 1]) << i;
  return mask;
}

// The same, sixteen pixels in one step where the processor has vectors.
inline std::uint32_t RunStarts16(const std::uint8_t* p) {
#if defined(__SSE2__)
  const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p - 1));
  return ~static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(pixels, previous))) & 0xFFFF;
#else
  return RunStarts16Portable(p);
#endif
}
