// Memory for the pixel rows of images.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// `size` bytes, all zero, for pixel rows; raises std::bad_alloc. From the
// C heap, which takes a large block straight from the system, whose fresh
// pages are zero without a pass over them (a 4K picture is 33 MB that
// would otherwise be written twice), and hands a block freed by an earlier
// picture back without new page faults. On Linux a large block is mapped in
// whole 2 MB pages where the kernel has them, a few dozen page faults
// instead of eight thousand for a 4K picture.
std::uint8_t* AllocateZeroedPixels(std::size_t size);

// Gives back a block of AllocateZeroedPixels; null is ignored.
void FreePixels(std::uint8_t* pixels);

}  // namespace platform
