#include "gif/row_kernels.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define GRABWELL_AVX2_ROWS 1
#endif

namespace {

void MapFrom(const std::uint8_t* source, std::uint8_t* indices, std::size_t x, std::size_t width) {
  for (; x < width; ++x) indices[x] = CubeIndex(source + 4 * x);
}

void Map24From(const std::uint8_t* source, std::uint8_t* indices, std::size_t x, std::size_t width) {
  for (; x < width; ++x) indices[x] = CubeIndex(source + 3 * x);
}

// From pixel `x` on. Two pixels per step: six colour bytes go out as one
// eight-byte store whose last two bytes the next step overwrites; the last
// pixel goes byte by byte.
void PackFrom(const std::uint8_t* in, std::uint8_t* out, std::size_t x, std::size_t width) {
  if constexpr (std::endian::native == std::endian::little) {
    for (; x + 2 < width; x += 2) {
      std::uint64_t pair;
      std::memcpy(&pair, in + 4 * x, 8);
      pair = (pair & 0xFFFFFFull) | ((pair >> 8) & 0xFFFFFF000000ull);
      std::memcpy(out + 3 * x, &pair, 8);
    }
  }
  for (; x < width; ++x) {
    // memmove: in place, the pixel's source and target may overlap.
    std::memmove(out + 3 * x, in + 4 * x, 3);
  }
}

#ifdef GRABWELL_AVX2_ROWS

// Eight pixels per vector. The blue and red bytes (even) and the green and
// unused bytes (odd) each sit in 16-bit lanes, where one multiply finds all
// their levels; a multiply-add of each pair with its weights (1 and 36, 6
// and 0) and one addition give each pixel's index in its 32-bit lane.
__attribute__((target("avx2"))) __m256i CubeIndices8(__m256i pixels) {
  const __m256i three = _mm256_set1_epi16(3);
  const __m256i scale = _mm256_set1_epi16(1286);
  const __m256i even = _mm256_and_si256(pixels, _mm256_set1_epi16(0x00FF));
  const __m256i odd = _mm256_srli_epi16(pixels, 8);
  const __m256i evenLevels = _mm256_mulhi_epu16(_mm256_add_epi16(even, three), scale);
  const __m256i oddLevels = _mm256_mulhi_epu16(_mm256_add_epi16(odd, three), scale);
  return _mm256_add_epi32(_mm256_madd_epi16(evenLevels, _mm256_set1_epi32(36 << 16 | 1)),
                          _mm256_madd_epi16(oddLevels, _mm256_set1_epi32(6)));
}

// Indices of 32 pixels (four vectors of eight) in pixel order.
__attribute__((target("avx2"))) __m256i CubeIndices32(__m256i a, __m256i b, __m256i c, __m256i d) {
  // The packs work within 128-bit halves: the bytes come out as groups
  // of four pixels a0-3 b0-3 c0-3 d0-3 | a4-7 b4-7 c4-7 d4-7, which one
  // permutation puts in order.
  const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(CubeIndices8(a), CubeIndices8(b)),
                                            _mm256_packs_epi32(CubeIndices8(c), CubeIndices8(d)));
  return _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

// Eight 24-bit pixels from a 32-byte load at `p` (the last eight bytes
// unused) as 32-bit pixels: a permutation moves each half's twelve bytes
// into its own 128-bit lane, a byte shuffle spreads them to four bytes each.
__attribute__((target("avx2"))) __m256i Widen24(const std::uint8_t* p) {
  const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i halves = _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5));
  const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                          0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  return _mm256_shuffle_epi8(halves, spread);
}

__attribute__((target("avx2"))) void MapRow32ToCubeAVX2(const std::uint8_t* source, std::uint8_t* indices,
                                                        std::size_t width) {
  std::size_t x = 0;
  for (; x + 32 <= width; x += 32) {
    const auto* p = reinterpret_cast<const __m256i*>(source + 4 * x);
    const __m256i ordered = CubeIndices32(_mm256_loadu_si256(p), _mm256_loadu_si256(p + 1),
                                          _mm256_loadu_si256(p + 2), _mm256_loadu_si256(p + 3));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(indices + x), ordered);
  }
  MapFrom(source, indices, x, width);
}

__attribute__((target("avx2"))) void MapRow24ToCubeAVX2(const std::uint8_t* source, std::uint8_t* indices,
                                                        std::size_t width) {
  std::size_t x = 0;
  // Each group of 32 pixels reads 96 bytes plus the 8 its last load
  // overreaches, so it must not start within 35 pixels of the row's end.
  for (; x + 35 <= width; x += 32) {
    const std::uint8_t* p = source + 3 * x;
    const __m256i ordered = CubeIndices32(Widen24(p), Widen24(p + 24), Widen24(p + 48), Widen24(p + 72));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(indices + x), ordered);
  }
  Map24From(source, indices, x, width);
}

// Eight pixels per step: a byte shuffle packs each 128-bit half's four
// pixels into its first twelve bytes, a permutation joins the halves, and
// a 32-byte store writes 24 bytes and eight that the next step overwrites.
// In place the store never reaches bytes not yet read: it ends where this
// step's load ended, or before.
__attribute__((target("avx2"))) void PackRow32To24AVX2(const std::uint8_t* in, std::uint8_t* out,
                                                       std::size_t width) {
  const __m256i shuffle = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                           0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  const __m256i join = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
  std::size_t x = 0;
  for (; x + 8 <= width; x += 8) {
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 4 * x));
    const __m256i packed = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(pixels, shuffle), join);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 3 * x), packed);
  }
  PackFrom(in, out, x, width);
}

bool HasAVX2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

#endif

}  // namespace

void MapRow32ToCube(const std::uint8_t* source, std::uint8_t* indices, std::size_t width) {
#ifdef GRABWELL_AVX2_ROWS
  if (HasAVX2()) return MapRow32ToCubeAVX2(source, indices, width);
#endif
  MapFrom(source, indices, 0, width);
}

void MapRow24ToCube(const std::uint8_t* source, std::uint8_t* indices, std::size_t width) {
#ifdef GRABWELL_AVX2_ROWS
  if (HasAVX2()) return MapRow24ToCubeAVX2(source, indices, width);
#endif
  Map24From(source, indices, 0, width);
}

void PackRow32To24(const std::uint8_t* in, std::uint8_t* out, std::size_t width) {
#ifdef GRABWELL_AVX2_ROWS
  if (HasAVX2()) return PackRow32To24AVX2(in, out, width);
#endif
  PackFrom(in, out, 0, width);
}

void MapRow32ToCubePortable(const std::uint8_t* source, std::uint8_t* indices, std::size_t width) {
  MapFrom(source, indices, 0, width);
}

void MapRow24ToCubePortable(const std::uint8_t* source, std::uint8_t* indices, std::size_t width) {
  Map24From(source, indices, 0, width);
}

void PackRow32To24Portable(const std::uint8_t* in, std::uint8_t* out, std::size_t width) {
  PackFrom(in, out, 0, width);
}
