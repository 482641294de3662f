#include "platform/pixel_memory.h"

#include <cstdlib>
#include <new>

namespace platform {

// The C runtime's heap takes large blocks straight from the system, whose
// fresh pages are zero; a block freed by an earlier picture comes back
// zeroed without new page faults.
std::uint8_t* AllocateZeroedPixels(std::size_t size) {
  void* block = std::calloc(size == 0 ? 1 : size, 1);
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<std::uint8_t*>(block);
}

void FreePixels(std::uint8_t* pixels) { std::free(pixels); }

}  // namespace platform
