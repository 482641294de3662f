#include "mail/temp_file_stream.h"

#include "platform/temp_file.h"

TTempFileStream::TTempFileStream() : name_(platform::CreateUniqueTempFile("ms")) {
  try {
    file_ = std::make_unique<TFileStream>(name_, TFileStream::Mode::Create);
  } catch (...) {
    platform::DeleteFileQuietly(name_);
    throw;
  }
}

TTempFileStream::~TTempFileStream() {
  file_.reset();
  platform::DeleteFileQuietly(name_);  // a file that will not go is left behind
}

std::size_t TTempFileStream::Read(void* buffer, std::size_t count) { return file_->Read(buffer, count); }

void TTempFileStream::Write(const void* buffer, std::size_t count) { file_->Write(buffer, count); }
