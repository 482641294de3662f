#include "platform/pixel_memory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace platform {

namespace {

// From one huge page up the block is mapped on its own; below, the heap
// serves it (and the sanitizers watch its edges).
constexpr std::size_t kMappedFrom = std::size_t{2} << 20;

}  // namespace

std::uint8_t* AllocateZeroedPixels(std::size_t size) {
  if (size >= kMappedFrom) {
    void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    // Only advice: without transparent huge pages the block is mapped page by page.
    madvise(block, size, MADV_HUGEPAGE);
    return static_cast<std::uint8_t*>(block);
  }
  void* block = std::calloc(size == 0 ? 1 : size, 1);
  if (block == nullptr) throw std::bad_alloc();
  return static_cast<std::uint8_t*>(block);
}

void FreePixels(std::uint8_t* pixels, std::size_t size) {
  if (pixels == nullptr) return;
  if (size >= kMappedFrom) {
    munmap(pixels, size);
  } else {
    std::free(pixels);
  }
}

}  // namespace platform
