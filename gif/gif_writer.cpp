#include "gif/gif_writer.h"

#include <algorithm>
#include <cstring>
#include <exception>

std::size_t TGIFStream::Read(void*, std::size_t) { throw EStreamError("Stream read error"); }

void TGIFStream::SetPosition(std::uint64_t) { throw EStreamError("Stream write error"); }

TGIFWriter::TGIFWriter(TStream& target) : TGIFStream(target) {}

TGIFWriter::~TGIFWriter() {
  if (closed_) return;
  try {
    Close();
  } catch (const std::exception&) {
    // Another error is already on its way to the caller.
  }
}

void TGIFWriter::Write(const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  while (count > 0) {
    const std::size_t take = std::min(count, blockStart_ + kBlockSize - fill_);
    std::memcpy(buffer_.get() + fill_, bytes, take);
    fill_ += take;
    bytes += take;
    count -= take;
    if (fill_ - blockStart_ == kBlockSize) CompleteBlock();
  }
}

void TGIFWriter::CompleteBlock() {
  buffer_[blockStart_] = 255;
  blockStart_ = fill_;
  if (blockStart_ == kBufferSize) {
    Flush(blockStart_);
    blockStart_ = 0;
  }
  fill_ = blockStart_ + 1;
}

void TGIFWriter::Flush(std::size_t end) {
  Target().Write(buffer_.get(), end);
  written_ += end;
}

void TGIFWriter::Close() {
  closed_ = true;
  const std::size_t pending = fill_ - blockStart_ - 1;
  std::size_t end = blockStart_;
  if (pending > 0) {
    buffer_[blockStart_] = static_cast<std::uint8_t>(pending);
    end = fill_;
  }
  blockStart_ = 0;
  fill_ = 1;
  if (end > 0) Flush(end);
}
