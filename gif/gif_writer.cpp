#include "gif/gif_writer.h"

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
  for (std::size_t i = 0; i < count; ++i) Put(bytes[i]);
}

void TGIFWriter::CompleteBlock() {
  buffer_[blockStart_] = 255;
  blockStart_ = fill_;
  if (blockStart_ == buffer_.size()) {
    Flush(blockStart_);
    blockStart_ = 0;
  }
  fill_ = blockStart_ + 1;
}

void TGIFWriter::Flush(std::size_t end) {
  Target().Write(buffer_.data(), end);
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
