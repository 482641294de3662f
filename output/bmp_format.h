// The on-disk constants of the Windows bitmap file shared by the BMP writer
// and reader.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bmp {

inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::size_t kCoreHeaderSize = 12;  // OS/2 1.x BITMAPCOREHEADER
inline constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
inline constexpr std::size_t kV4HeaderSize = 108;
inline constexpr std::size_t kV5HeaderSize = 124;
inline constexpr std::size_t kMasksSize = 12;       // three 32-bit masks after a 40-byte header

inline constexpr std::uint16_t kSignature = 0x4D42;  // "BM" read little-endian

enum Compression : std::uint32_t {
  kRGB = 0,
  kRLE8 = 1,
  kRLE4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

}  // namespace bmp
