// Memory for the pixel rows of images.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// `size` bytes, all zero, for pixel rows; raises std::bad_alloc. Large
// blocks come straight from the system, whose fresh pages are zero without
// a pass over them (a 4K picture is 33 MB that would otherwise be written
// twice), and on Linux in whole 2 MB pages where the kernel has them, which
// maps such a picture with a few dozen page faults instead of eight
// thousand. Small blocks come from the C heap.
std::uint8_t* AllocateZeroedPixels(std::size_t size);

// Gives back a block of AllocateZeroedPixels(size); null is ignored.
void FreePixels(std::uint8_t* pixels, std::size_t size);

}  // namespace platform
