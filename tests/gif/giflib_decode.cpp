#include "tests/gif/giflib_decode.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

struct TMemoryInput {
  const std::vector<std::uint8_t>* bytes;
  std::size_t position;
};

int ReadFromMemory(GifFileType* file, GifByteType* buffer, int count) {
  auto* input = static_cast<TMemoryInput*>(file->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), input->bytes->size() - input->position);
  std::memcpy(buffer, input->bytes->data() + input->position, n);
  input->position += n;
  return static_cast<int>(n);
}

}  // namespace

std::uint32_t TDecodedGIF::Rgb(std::size_t i) const {
  const std::size_t c = 3 * static_cast<std::size_t>(pixels[i]);
  if (c + 2 >= colors.size()) return 0xFFFFFFFFu;
  return colors[c] << 16 | colors[c + 1] << 8 | colors[c + 2];
}

TDecodedGIF DecodeWithGiflib(const std::vector<std::uint8_t>& bytes) {
  TDecodedGIF result;
  TMemoryInput input{&bytes, 0};
  int error = 0;
  GifFileType* file = DGifOpen(&input, ReadFromMemory, &error);
  if (!file) {
    result.error = GifErrorString(error);
    return result;
  }
  if (bytes.size() >= 6) result.version.assign(bytes.begin() + 3, bytes.begin() + 6);
  if (DGifSlurp(file) != GIF_OK) {
    result.error = GifErrorString(file->Error);
    DGifCloseFile(file, &error);
    return result;
  }
  result.screenWidth = file->SWidth;
  result.screenHeight = file->SHeight;
  result.frames = file->ImageCount;
  if (file->ImageCount > 0) {
    const SavedImage& image = file->SavedImages[0];
    result.width = image.ImageDesc.Width;
    result.height = image.ImageDesc.Height;
    result.interlaced = image.ImageDesc.Interlace;
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
    if (map) {
      for (int i = 0; i < map->ColorCount; ++i) {
        result.colors.push_back(map->Colors[i].Red);
        result.colors.push_back(map->Colors[i].Green);
        result.colors.push_back(map->Colors[i].Blue);
      }
    }
    // DGifSlurp already puts interlaced rows into picture order.
    result.pixels.assign(image.RasterBits, image.RasterBits + static_cast<std::size_t>(result.width) * result.height);
  }
  result.ok = true;
  DGifCloseFile(file, &error);
  return result;
}

std::vector<std::uint8_t> WrapImageData(const std::vector<std::uint8_t>& imageData, int width, int height,
                                        int bits, bool interlaced) {
  const int tableBits = std::max(bits, 1);
  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  const auto word = [&out](int v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  word(width);
  word(height);
  out.push_back(static_cast<std::uint8_t>(0x80 | (tableBits - 1) << 4 | (tableBits - 1)));
  out.push_back(0);
  out.push_back(0);
  for (int i = 0; i < (1 << tableBits); ++i)
    for (int c = 0; c < 3; ++c) out.push_back(static_cast<std::uint8_t>(i));
  out.push_back(0x2C);
  word(0);
  word(0);
  word(width);
  word(height);
  out.push_back(interlaced ? 0x40 : 0x00);
  out.insert(out.end(), imageData.begin(), imageData.end());
  out.push_back(0x3B);
  return out;
}
