// Builds a bitmap (size, depth, palette, masks, pixels) from the input and
// writes it as a GIF with the encoding, reduction method, dither kind and
// reduction bits the input picks, including invalid ones. Whatever is
// written must decode with giflib to a picture of the same size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "gif/gif_exception.h"
#include "gif/gif_image.h"
#include "platform/stream.h"
#include "tests/gif/giflib_decode.h"

namespace {

class TInput {
 public:
  TInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // The rest of the input, repeated, for the pixels.
  std::uint8_t Pixel() { return size_ > 0 ? data_[pixel_++ % size_] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  std::size_t pixel_ = 0;
};

constexpr int kDepths[] = {1, 4, 8, 15, 16, 24, 32};

TBitmap MakeBitmap(TInput& in) {
  const std::uint8_t format = in.Byte();
  const int depth = kDepths[format % 7];
  const bool device = (format & 0x80) != 0;
  const int width = in.Byte() % 70;
  const int height = in.Byte() % 70;
  TBitmap bitmap = device ? TBitmap::DeviceFormat(width, height, depth) : TBitmap(width, height, depth);
  if (depth <= 8) {
    const int colors = in.Byte() % ((1 << depth) + 1);
    bitmap.ColorTable().resize(static_cast<std::size_t>(colors));
    for (auto& entry : bitmap.ColorTable()) entry = TRGBQuad{in.Byte(), in.Byte(), in.Byte(), 0};
  }
  if (depth == 32 && (format & 0x40)) bitmap.SetColorMasks(kMasks888);
  if (depth == 16 && (format & 0x40)) bitmap.SetColorMasks(kMasks555);
  for (auto& byte : bitmap.Bits()) byte = in.Pixel();
  return bitmap;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TInput in(data, size);
  const std::uint8_t choice = in.Byte();
  TGIFImage gif;
  gif.Compression = static_cast<TGIFEncoding>(choice & 1);
  gif.ColorReduction = static_cast<TReductionMethod>((choice >> 1) % 11);
  gif.DitherMode = static_cast<TDitherKind>(in.Byte() % 8);
  gif.ReductionBits = in.Byte() % 10;
  if (in.Byte() & 1) gif.CustomPalette = {{in.Byte(), in.Byte(), in.Byte(), 0}, {in.Byte(), in.Byte(), in.Byte(), 0}};
  TBitmap bitmap = MakeBitmap(in);
  const bool empty = bitmap.Empty();

  TMemoryStream stream;
  try {
    gif.Assign(bitmap);
    gif.SaveToStream(stream);
  } catch (const GIFException&) {
    return 0;  // refused input: a clear error, nothing to decode
  }
  const TDecodedGIF decoded = DecodeWithGiflib(stream.Bytes());
  if (empty) return 0;  // a file without frames, which giflib may refuse
  if (!decoded.ok || decoded.width != gif.Header().Width || decoded.height != gif.Header().Height) std::abort();
  // A paletted bitmap without a colour table gives a file without one.
  if (decoded.colors.empty()) return 0;
  for (std::uint8_t index : decoded.pixels)
    if (3u * index >= decoded.colors.size()) std::abort();
  return 0;
}
