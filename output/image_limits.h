// Size limits for images read from files. A header can claim any size; these
// caps keep a hostile or damaged file from making a reader allocate more
// memory than any real screen picture needs.
#pragma once

#include <cstdint>

// Each side at most this many pixels (BMP and JPEG both fit in it).
inline constexpr std::int64_t kMaxImageSide = 65535;
// At most 64 Mi pixels in all: an 8K display (7680 x 4320) is 33 Mi.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

inline bool ImageSizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}
