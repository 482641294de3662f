// The data sub-block writer: bytes handed to it leave as GIF data
// sub-blocks, a length byte followed by up to 255 bytes, every block but
// the last full. The zero-length terminator is left to the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/stream.h"

// A write-only stream that forwards to another stream.
class TGIFStream : public TStream {
 public:
  explicit TGIFStream(TStream& target) : target_(target) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::uint64_t Position() const override { return written_; }
  void SetPosition(std::uint64_t position) override;
  std::uint64_t Size() const override { return written_; }

 protected:
  TStream& Target() { return target_; }
  std::uint64_t written_ = 0;

 private:
  TStream& target_;
};

class TGIFWriter final : public TGIFStream {
 public:
  explicit TGIFWriter(TStream& target);
  // Writes what is pending. Errors are swallowed here only because the
  // destructor runs without Close() solely while another error unwinds.
  ~TGIFWriter() override;

  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;

  // Writes the pending blocks, the last one partial (nothing when empty).
  void Close();

 private:
  static constexpr std::size_t kBlockSize = 256;  // length byte + 255 data bytes
  static constexpr std::size_t kBlocksBuffered = 1024;

  void CompleteBlock();
  void Flush(std::size_t end);

  // Many blocks are gathered before they go to the target stream, so that
  // a file stream sees few large writes (each write call costs about as
  // much as copying tens of kilobytes); the bytes are the same.
  static constexpr std::size_t kBufferSize = kBlockSize * kBlocksBuffered;
  std::unique_ptr<std::uint8_t[]> buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
  std::size_t blockStart_ = 0;  // where the current block's length byte goes
  std::size_t fill_ = 1;        // next free byte
  bool closed_ = false;
};
