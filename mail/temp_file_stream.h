// The temporary file in which the SMTP client assembles the outgoing
// message: a new file "ms..." in the system's temporary folder, open for
// reading and writing, deleted again when the stream is destroyed.
#pragma once

#include <memory>
#include <string>

#include "platform/stream.h"

class TTempFileStream final : public TStream {
 public:
  TTempFileStream();
  ~TTempFileStream() override;

  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;
  std::uint64_t Position() const override { return file_->Position(); }
  void SetPosition(std::uint64_t position) override { file_->SetPosition(position); }
  std::uint64_t Size() const override { return file_->Size(); }

  const std::string& FileName() const { return name_; }

 private:
  std::string name_;
  std::unique_ptr<TFileStream> file_;
};
