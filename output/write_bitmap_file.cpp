#include "output/write_bitmap_file.h"

#include <cstdint>
#include <vector>

#include "output/bmp_format.h"
#include "output/dib_header.h"

void SaveBitmapToStream(const TBitmap& image, TStream& stream) {
  const std::vector<std::uint8_t> info = DibHeader(image);
  const auto imageSize = static_cast<std::uint32_t>(image.Stride() * static_cast<std::size_t>(image.Height()));
  const auto offBits = static_cast<std::uint32_t>(bmp::kFileHeaderSize + info.size());

  std::uint8_t file[bmp::kFileHeaderSize] = {};
  auto put32 = [&file](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  file[0] = bmp::kSignature & 0xFF;
  file[1] = bmp::kSignature >> 8;
  put32(2, offBits + imageSize);
  put32(10, offBits);  // bytes 6..9 are reserved and stay zero

  stream.Write(file, sizeof file);
  stream.Write(info.data(), info.size());
  stream.Write(image.Bits().data(), imageSize);
}

void WriteBitmapFile(const TBitmap& image, const std::string& path) {
  TFileStream file(path, TFileStream::Mode::Create);
  SaveBitmapToStream(image, file);
  file.Close();
}
