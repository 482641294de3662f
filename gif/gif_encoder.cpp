#include "gif/gif_encoder.h"

#include <cstddef>

#include "gif/gif_exception.h"

namespace {

// Interlaced rows come in four passes: every 8th row from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1.
constexpr int kPassStart[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

}  // namespace

void TGIFEncoder::Compress(TStream& stream, int bitsPerPixel, int colorCount, const std::uint8_t* data,
                           bool interlace, int height, int width) {
  bitsPerPixel_ = bitsPerPixel < 2 ? 2 : bitsPerPixel;
  colorCount_ = colorCount;
  initialCodeSize_ = bitsPerPixel_ + 1;
  stream.WriteByte(static_cast<std::uint8_t>(bitsPerPixel_));
  codeSize_ = initialCodeSize_;
  clearCode_ = 1u << bitsPerPixel_;
  endCode_ = clearCode_ + 1;
  baseCode_ = clearCode_ + 2;
  accumulator_ = 0;
  bitsHeld_ = 0;
  filled_ = 0;
  data_ = data;
  width_ = width;
  height_ = height;
  interlace_ = interlace;
  started_ = false;
  row_ = 0;
  pass_ = 0;

  TGIFWriter writer(stream);
  writer_ = &writer;
  if (data != nullptr && height > 0 && width > 0) {
    try {
      EncodePixels();
    } catch (...) {
      // What was coded before the error stays in the stream, to the last
      // whole byte, as if bytes had left one at a time.
      FlushCodeBytes();
      throw;
    }
  }
  Output(endCode_);
  FlushBits();
  writer.Close();
  writer_ = nullptr;
  stream.WriteByte(0);
}

std::optional<TGIFEncoder::TSpan> TGIFEncoder::NextSpan() {
  const auto rowStart = [this](int row) { return data_ + static_cast<std::size_t>(row) * width_; };
  if (!interlace_) {
    if (started_) return std::nullopt;
    started_ = true;
    return TSpan{data_, rowStart(height_)};
  }
  if (started_) {
    row_ += kPassStep[pass_];
  } else {
    started_ = true;
  }
  // A pass whose first row lies below the picture is empty; skip it
  // rather than end the frame, so that short pictures keep all rows.
  while (row_ >= height_) {
    if (++pass_ == 4) return std::nullopt;
    row_ = kPassStart[pass_];
  }
  return TSpan{rowStart(row_), rowStart(row_ + 1)};
}

void TGIFEncoder::CheckColor(std::uint8_t pixel) const {
  if (pixel >= colorCount_) throw GIFException(sColorNotInColorTable);
}

void TGIFEncoder::FlushCodeBytes() {
  writer_->Write(codeBytes_.data(), filled_);
  filled_ = 0;
}

void TGIFEncoder::FlushBits() {
  if (bitsHeld_ > 0) codeBytes_[filled_++] = static_cast<std::uint8_t>(accumulator_);
  FlushCodeBytes();
  bitsHeld_ = 0;
  accumulator_ = 0;
}
