#include "gif/gif_encoder.h"

#include <cstddef>

#include "gif/gif_exception.h"

namespace {

// Interlaced rows come in four passes: every 8th row from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1.
constexpr int kPassStart[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

// Indices held as one block, rows from the top without padding.
class TContiguousRows final : public TIndexRows {
 public:
  TContiguousRows(const std::uint8_t* data, int width) : data_(data), width_(static_cast<std::size_t>(width)) {}
  const std::uint8_t* Row(int y) override { return data_ + static_cast<std::size_t>(y) * width_; }

 private:
  const std::uint8_t* data_;
  std::size_t width_;
};

}  // namespace

void TGIFEncoder::Compress(TStream& stream, int bitsPerPixel, int colorCount, const std::uint8_t* data,
                           bool interlace, int height, int width) {
  TContiguousRows rows(data, width);
  Compress(stream, bitsPerPixel, colorCount, data != nullptr ? &rows : nullptr, interlace, height, width);
}

void TGIFEncoder::Compress(TStream& stream, int bitsPerPixel, int colorCount, TIndexRows* rows, bool interlace,
                           int height, int width) {
  bitsPerPixel_ = bitsPerPixel < 2 ? 2 : bitsPerPixel;
  colorCount_ = colorCount;
  initialCodeSize_ = bitsPerPixel_ + 1;
  stream.WriteByte(static_cast<std::uint8_t>(bitsPerPixel_));
  clearCode_ = 1u << bitsPerPixel_;
  endCode_ = clearCode_ + 1;
  baseCode_ = clearCode_ + 2;
  output_ = TCodeOutput{0, 0, initialCodeSize_, words_.data(), words_.data() + words_.size()};
  rows_ = rows;
  width_ = width;
  height_ = height;
  interlace_ = interlace;
  started_ = false;
  row_ = 0;
  pass_ = 0;

  TGIFWriter writer(stream);
  writer_ = &writer;
  if (rows != nullptr && height > 0 && width > 0) {
    try {
      EncodePixels();
    } catch (...) {
      // What was coded before the error stays in the stream, to the last
      // whole byte, as if bytes had left one at a time.
      FlushBits(false);
      throw;
    }
  }
  Output(endCode_);
  FlushBits(true);
  writer.Close();
  writer_ = nullptr;
  stream.WriteByte(0);
}

std::optional<TGIFEncoder::TSpan> TGIFEncoder::NextSpan() {
  if (started_) {
    row_ += interlace_ ? kPassStep[pass_] : 1;
  } else {
    started_ = true;
  }
  if (interlace_) {
    // A pass whose first row lies below the picture is empty; skip it
    // rather than end the frame, so that short pictures keep all rows.
    while (row_ >= height_) {
      if (++pass_ == 4) return std::nullopt;
      row_ = kPassStart[pass_];
    }
  } else if (row_ >= height_) {
    return std::nullopt;
  }
  const std::uint8_t* row = rows_->Row(row_);
  return TSpan{row, row + width_};
}

void TGIFEncoder::CheckColor(std::uint8_t pixel) const {
  if (pixel >= colorCount_) throw GIFException(sColorNotInColorTable);
}

std::uint64_t* TGIFEncoder::FlushWords(std::uint64_t* next) {
  const auto bytes = static_cast<std::size_t>(next - words_.data()) * sizeof(std::uint64_t);
  writer_->Write(reinterpret_cast<const std::uint8_t*>(words_.data()), bytes);
  return words_.data();
}

void TGIFEncoder::FlushBits(bool last) {
  output_.next = FlushWords(output_.next);
  const int bytes = last ? (output_.bitsHeld + 7) / 8 : output_.bitsHeld / 8;
  std::uint8_t tail[8];
  for (int i = 0; i < bytes; ++i) tail[i] = static_cast<std::uint8_t>(output_.accumulator >> (8 * i));
  writer_->Write(tail, static_cast<std::size_t>(bytes));
  output_.bitsHeld = 0;
  output_.accumulator = 0;
}
