// The shared part of the two image-data encoders: the code output with
// least-significant-bit-first packing into data sub-blocks, and the walk
// over a frame's pixels (straight or in the four interlace passes).
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "gif/gif_writer.h"
#include "platform/stream.h"

class TGIFEncoder {
 public:
  virtual ~TGIFEncoder() = default;
  TGIFEncoder() = default;
  TGIFEncoder(const TGIFEncoder&) = delete;
  TGIFEncoder& operator=(const TGIFEncoder&) = delete;

  // Writes one frame's complete image data: the minimum code size byte,
  // the data sub-blocks and the zero-length terminator. `data` holds
  // width x height colour indices, rows from the top; every index must be
  // below `colorCount` ("Color not in color table" otherwise).
  void Compress(TStream& stream, int bitsPerPixel, int colorCount, const std::uint8_t* data, bool interlace,
                int height, int width);

 protected:
  // A stretch of pixels that follow each other in coding order.
  struct TSpan {
    const std::uint8_t* begin;
    const std::uint8_t* end;
  };

  // The encoder's own pass over the pixels; NextSpan() hands them out.
  virtual void EncodePixels() = 0;

  // The next stretch of pixels, or nothing when the frame is done.
  std::optional<TSpan> NextSpan();

  // Raises "Color not in color table" unless `pixel` is a valid index.
  void CheckColor(std::uint8_t pixel) const;
  // True when every byte value is a valid index, so no check is needed.
  bool AllColorsValid() const { return colorCount_ > 255; }

  // Codes go out least significant bit first. Every code stores eight
  // bytes of the accumulator and keeps the whole ones among them, so that
  // no branch depends on how many bits are held; after the end code,
  // Compress flushes the rest, the last byte padded with zero bits.
  void Output(std::uint32_t code) {
    accumulator_ |= static_cast<std::uint64_t>(code) << bitsHeld_;
    bitsHeld_ += codeSize_;
    std::uint64_t bytes = accumulator_;
    if constexpr (std::endian::native == std::endian::big) bytes = __builtin_bswap64(bytes);
    std::memcpy(codeBytes_.data() + filled_, &bytes, sizeof bytes);
    const int whole = bitsHeld_ >> 3;
    filled_ += static_cast<std::size_t>(whole);
    accumulator_ >>= 8 * whole;
    bitsHeld_ &= 7;
    if (filled_ >= kCodeBytes) FlushCodeBytes();
  }

  int bitsPerPixel_ = 0;
  int colorCount_ = 0;
  int initialCodeSize_ = 0;
  int codeSize_ = 0;
  std::uint32_t clearCode_ = 0;
  std::uint32_t endCode_ = 0;
  std::uint32_t baseCode_ = 0;
  // Set by a clear code, reset by the next code of the run-length
  // encoder's counted output; the LZW encoder resets its code size on it.
  bool freshTable_ = false;

 private:
  void FlushBits();
  void FlushCodeBytes();

  // Whole bytes of codes gather here before the sub-block writer gets
  // them; the slack takes the eight-byte stores of the last code.
  static constexpr std::size_t kCodeBytes = 16 * 1024;
  std::array<std::uint8_t, kCodeBytes + 8> codeBytes_;
  std::size_t filled_ = 0;
  std::uint64_t accumulator_ = 0;  // fewer than 8 bits between codes
  int bitsHeld_ = 0;
  TGIFWriter* writer_ = nullptr;

  const std::uint8_t* data_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool interlace_ = false;
  bool started_ = false;
  int row_ = 0;
  int pass_ = 0;
};
