// The shared part of the two image-data encoders: the code output with
// least-significant-bit-first packing into data sub-blocks, and the walk
// over a frame's pixels (straight or in the four interlace passes).
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "gif/gif_writer.h"
#include "gif/index_rows.h"
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
  // The same with the indices given row by row (`rows` may be null: no pixels).
  void Compress(TStream& stream, int bitsPerPixel, int colorCount, TIndexRows* rows, bool interlace, int height,
                int width);

 protected:
  // A row's pixels in coding order.
  struct TSpan {
    const std::uint8_t* begin;
    const std::uint8_t* end;
  };

  // Codes packed least significant bit first into 64-bit words: an
  // accumulator that is stored to the next word after every code, which
  // moves on to the word after once it is full. Storing each time costs
  // less than a branch that the processor would mispredict on every few
  // codes; storing whole words, not bytes, tells the compiler that the
  // store cannot touch the encoders' fields (none is a 64-bit integer) so
  // they can stay in registers.
  struct TCodeOutput {
    std::uint64_t accumulator = 0;  // fewer than 64 bits between codes
    int bitsHeld = 0;
    int codeSize = 0;  // bits of the next code
    std::uint64_t* next = nullptr;
    std::uint64_t* end = nullptr;

    // Adds the low `count` bits of `bits` (fewer than 64: one code, or
    // several codes joined); true when the word buffer is full (see
    // FlushWords).
    bool Put(std::uint64_t bits, int count) {
      accumulator |= bits << bitsHeld;
      bitsHeld += count;
      std::uint64_t word = accumulator;
      if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
      *next = word;
      const int full = bitsHeld >> 6;  // 0 or 1
      next += full;
      bitsHeld &= 63;
      // A full word leaves the bits that did not fit (none when they just
      // fitted); the mask keeps the accumulator otherwise.
      const std::uint64_t spill = bits >> ((count - bitsHeld) & 63);
      accumulator ^= (accumulator ^ spill) & (0 - static_cast<std::uint64_t>(full));
      return next == end;
    }
  };

  // The encoder's own pass over the pixels; NextSpan() hands them out.
  virtual void EncodePixels() = 0;

  // The next row, or nothing when the frame is done.
  std::optional<TSpan> NextSpan();

  // Raises "Color not in color table" unless `pixel` is a valid index.
  void CheckColor(std::uint8_t pixel) const;
  // True when every byte value is a valid index, so no check is needed.
  bool AllColorsValid() const { return colorCount_ > 255; }

  // Hands the full words before `next` to the sub-block writer and
  // returns where the emptied buffer starts.
  std::uint64_t* FlushWords(std::uint64_t* next);
  // Writes one code at output_'s code size.
  void Output(std::uint32_t code) {
    if (output_.Put(code, output_.codeSize)) output_.next = FlushWords(output_.next);
  }

  int bitsPerPixel_ = 0;
  int colorCount_ = 0;
  int initialCodeSize_ = 0;
  std::uint32_t clearCode_ = 0;
  std::uint32_t endCode_ = 0;
  std::uint32_t baseCode_ = 0;
  // The code output between the steps of a pass.
  TCodeOutput output_;
  // Set by a clear code, reset by the next code of the run-length
  // encoder's counted output; the LZW encoder resets its code size on it.
  bool freshTable_ = false;

 private:
  // Hands over the words and the accumulator's whole bytes; with `last`
  // also its last bits, in a byte padded with zero bits.
  void FlushBits(bool last);

  // Whole words of codes gather here before the sub-block writer gets them.
  std::array<std::uint64_t, 2048> words_;
  TGIFWriter* writer_ = nullptr;

  TIndexRows* rows_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool interlace_ = false;
  bool started_ = false;
  int row_ = 0;
  int pass_ = 0;
};
