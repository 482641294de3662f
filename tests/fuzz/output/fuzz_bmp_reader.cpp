// Any bytes through the BMP reader: refused with EInvalidBitmap or decoded
// into a picture that every writer accepts.
#include <cstddef>
#include <cstdint>

#include "output/read_bitmap_file.h"
#include "tests/fuzz/output/fuzz_write_back.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBitmap image;
  try {
    image = DecodeBitmap({data, size});
  } catch (const EInvalidBitmap&) {
    return 0;
  }
  WriteBackEveryWay(std::move(image));
  return 0;
}
