#include "mail/sextets.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define GRABWELL_SSSE3_SEXTETS 1
#endif

namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr char Base64Char(unsigned value) { return kBase64Alphabet[value]; }

// The two characters of every 12-bit value, so that each group of 3 bytes
// takes two look-ups.
struct TPairTable {
  char pairs[4096][2];
};

template <char (*Table)(unsigned)>
constexpr TPairTable MakePairTable() {
  TPairTable table{};
  for (unsigned value = 0; value < 4096; ++value) {
    table.pairs[value][0] = Table(value >> 6);
    table.pairs[value][1] = Table(value & 63);
  }
  return table;
}

constexpr TPairTable kBase64Pairs = MakePairTable<Base64Char>();
constexpr TPairTable kUUPairs = MakePairTable<UUChar>();

// The 8 bytes at `in` as one number, the first byte highest (compilers
// turn this into one load and a byte swap).
std::uint64_t LoadBigEndian64(const std::uint8_t* in) {
  return (std::uint64_t{in[0]} << 56) | (std::uint64_t{in[1]} << 48) | (std::uint64_t{in[2]} << 40) |
         (std::uint64_t{in[3]} << 32) | (std::uint64_t{in[4]} << 24) | (std::uint64_t{in[5]} << 16) |
         (std::uint64_t{in[6]} << 8) | std::uint64_t{in[7]};
}

// The two characters of a pair as they lie in memory, read as one number.
std::uint64_t PairBits(const TPairTable& pairs, std::uint64_t value) {
  std::uint16_t bits;
  std::memcpy(&bits, pairs.pairs[value & 4095], 2);
  return bits;
}

// The portable encoding of `bytes` from byte `i` on.
char* WriteSextetsFrom(std::string_view bytes, std::size_t i, char* out, TSextetAlphabet alphabet) {
  const TPairTable& pairs = alphabet == TSextetAlphabet::Base64 ? kBase64Pairs : kUUPairs;
  char (*const single)(unsigned) = alphabet == TSextetAlphabet::Base64 ? Base64Char : UUChar;
  const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t full = bytes.size() / 3 * 3;
  // Six bytes at a time from one 8-byte load while 8 bytes are readable:
  // four 12-bit look-ups give eight characters, stored at once.
  for (; i + 8 <= bytes.size(); i += 6) {
    const std::uint64_t group = LoadBigEndian64(in + i) >> 16;
    const std::uint64_t first = PairBits(pairs, group >> 36), second = PairBits(pairs, group >> 24),
                        third = PairBits(pairs, group >> 12), fourth = PairBits(pairs, group);
    const std::uint64_t text = std::endian::native == std::endian::little
                                   ? first | second << 16 | third << 32 | fourth << 48
                                   : first << 48 | second << 32 | third << 16 | fourth;
    std::memcpy(out, &text, 8);
    out += 8;
  }
  for (; i < full; i += 3) {
    const unsigned group = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
    std::memcpy(out, pairs.pairs[group >> 12], 2);
    std::memcpy(out + 2, pairs.pairs[group & 4095], 2);
    out += 4;
  }
  const std::size_t rest = bytes.size() - full;
  if (rest == 0) return out;
  const unsigned group = (in[full] << 16) | (rest == 2 ? in[full + 1] << 8 : 0);
  *out++ = single(group >> 18);
  *out++ = single((group >> 12) & 63);
  if (rest == 2) *out++ = single((group >> 6) & 63);
  return out;
}

#ifdef GRABWELL_SSSE3_SEXTETS

// Twelve bytes become sixteen characters per step, from 16-byte loads, so
// the vector loop runs while 16 bytes are readable and the portable code
// finishes the rest.
__attribute__((target("ssse3"))) char* WriteSextetsSSSE3(std::string_view bytes, char* out,
                                                         TSextetAlphabet alphabet) {
  const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::size_t i = 0;
  for (; i + 16 <= bytes.size(); i += 12) {
    // Each 32-bit lane gets the bytes b1 b0 b2 b1 of its 3-byte group, so
    // that every 6-bit group lies within one 16-bit half; two multiplies
    // then move the four groups to the low bits of the lane's four bytes.
    __m128i lanes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    lanes = _mm_shuffle_epi8(lanes, _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
    const __m128i outer = _mm_mulhi_epu16(_mm_and_si128(lanes, _mm_set1_epi32(0x0fc0fc00)), _mm_set1_epi32(0x04000040));
    const __m128i inner = _mm_mullo_epi16(_mm_and_si128(lanes, _mm_set1_epi32(0x003f03f0)), _mm_set1_epi32(0x01000010));
    const __m128i values = _mm_or_si128(outer, inner);
    __m128i text;
    if (alphabet == TSextetAlphabet::Base64) {
      // Each value range (A-Z, a-z, 0-9, "+", "/") has its own offset to
      // its characters: reduce the value to a range number and look the
      // offset up in a 16-entry table.
      __m128i range = _mm_subs_epu8(values, _mm_set1_epi8(51));
      const __m128i upper = _mm_cmpgt_epi8(_mm_set1_epi8(26), values);
      range = _mm_or_si128(range, _mm_and_si128(upper, _mm_set1_epi8(13)));
      const __m128i offsets = _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                                            '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
      text = _mm_add_epi8(_mm_shuffle_epi8(offsets, range), values);
    } else {
      // A blank plus the value, and the grave accent for 0.
      const __m128i zero = _mm_cmpeq_epi8(values, _mm_setzero_si128());
      text = _mm_add_epi8(_mm_add_epi8(values, _mm_set1_epi8(' ')), _mm_and_si128(zero, _mm_set1_epi8('`' - ' ')));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), text);
    out += 16;
  }
  return WriteSextetsFrom(bytes, i, out, alphabet);
}

bool HasSSSE3() {
  static const bool has = __builtin_cpu_supports("ssse3");
  return has;
}

#endif

}  // namespace

char* WriteSextets(std::string_view bytes, char* out, TSextetAlphabet alphabet) {
#ifdef GRABWELL_SSSE3_SEXTETS
  if (HasSSSE3()) return WriteSextetsSSSE3(bytes, out, alphabet);
#endif
  return WriteSextetsFrom(bytes, 0, out, alphabet);
}

char* WriteSextetsPortable(std::string_view bytes, char* out, TSextetAlphabet alphabet) {
  return WriteSextetsFrom(bytes, 0, out, alphabet);
}
