#include "platform/pixel_memory.h"

#include <cstdlib>
#include <new>

#include "platform/win32/windows_api.h"

namespace platform {

namespace {

// From this size up the block is reserved and committed on its own.
constexpr std::size_t kMappedFrom = std::size_t{1} << 20;

}  // namespace

std::uint8_t* AllocateZeroedPixels(std::size_t size) {
  if (size >= kMappedFrom) {
    void* block = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<std::uint8_t*>(block);
  }
  void* block = std::calloc(size == 0 ? 1 : size, 1);
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<std::uint8_t*>(block);
}

void FreePixels(std::uint8_t* pixels, std::size_t size) {
  if (pixels == nullptr) return;
  if (size >= kMappedFrom) {
    VirtualFree(pixels, 0, MEM_RELEASE);
  } else {
    std::free(pixels);
  }
}

}  // namespace platform
