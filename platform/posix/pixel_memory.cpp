#include "platform/pixel_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace platform {

namespace {

// From the size of one huge page up, a block is worth mapping in huge pages.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

std::uint8_t* AllocateZeroedPixels(std::size_t size) {
  // The C library maps a large block freshly zeroed from the system, and
  // hands a block freed by an earlier picture back, zeroed, without new
  // page faults.
  void* block = std::calloc(size == 0 ? 1 : size, 1);
  if (block == nullptr) throw std::bad_alloc();
  if (size >= kHugePage) {
    // Only advice: without transparent huge pages the block is mapped page
    // by page. It applies to the whole pages inside the block.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + size) / page * page;
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
  }
  return static_cast<std::uint8_t*>(block);
}

void FreePixels(std::uint8_t* pixels) { std::free(pixels); }

}  // namespace platform
