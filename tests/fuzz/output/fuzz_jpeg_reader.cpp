// Any bytes through the JPEG reader: refused with EJPEGError or decoded into
// a 24-bit picture that every writer accepts.
#include <cstddef>
#include <cstdint>

#include "output/read_jpeg_file.h"
#include "tests/fuzz/output/fuzz_write_back.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBitmap image;
  try {
    image = DecodeJPEG({data, size});
  } catch (const EJPEGError&) {
    return 0;
  }
  if (image.BitsPerPixel() != 24) std::abort();
  WriteBackEveryWay(std::move(image));
  return 0;
}
