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

// How many pixels RunStarts looks at.
inline constexpr int kRunStartBlock = 64;

// Bit i set where p[i] differs from p[i - 1], for i = 0 .. 63: where a new
// run starts. Reads p[-1] .. p[63]. Portable code, one byte at a time.
inline std::uint64_t RunStartsPortable(const std::uint8_t* p) {
  std::uint64_t mask = 0;
  for (int i = 0; i < kRunStartBlock; ++i) mask |= static_cast<std::uint64_t>(p[i] != p[i - 1]) << i;
  return mask;
}

// The same, sixteen pixels a step where the processor has vectors. A block
// as long as this holds several runs, so the loop over its run starts ends
// (and the processor mispredicts that end) once for many runs.
inline std::uint64_t RunStarts(const std::uint8_t* p) {
#if defined(__SSE2__)
  std::uint64_t equal = 0;
  for (int i = 0; i < kRunStartBlock; i += 16) {
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i - 1));
    equal |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(pixels, previous))))
             << i;
  }
  return ~equal;
#else
  return RunStartsPortable(p);
#endif
}
