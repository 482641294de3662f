#include "platform/stream.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

std::FILE* OpenFile(const std::string& path, const char* mode) {
#ifdef _WIN32
  // The narrow C runtime functions take the ANSI code page; go through a
  // wide path so that any file name works.
  const std::filesystem::path wide(std::u8string(path.begin(), path.end()));
  std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(wide.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::int64_t TellFile(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

void SeekFile(std::FILE* file, std::int64_t offset, int origin) {
#ifdef _WIN32
  _fseeki64(file, offset, origin);
#else
  fseeko(file, offset, origin);
#endif
}

}  // namespace

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::CopyFrom(TStream& source) {
  std::vector<std::uint8_t> block(64 * 1024);
  for (;;) {
    const std::size_t got = source.Read(block.data(), block.size());
    if (got == 0) break;
    Write(block.data(), got);
  }
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  if (position_ >= bytes_.size()) return 0;
  const std::size_t n = std::min(count, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return;
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
}

void TMemoryStream::Clear() {
  bytes_.clear();
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  bytes_ = ReadWholeFile(path);
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
  TFileStream file(path, TFileStream::Mode::Create);
  file.Write(bytes_.data(), bytes_.size());
  file.Close();
}

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path) {
  switch (mode) {
    case Mode::Create:
      file_ = OpenFile(path, "w+b");
      if (!file_) throw EStreamError("Cannot create file " + path);
      break;
    case Mode::OpenRead:
      file_ = OpenFile(path, "rb");
      if (!file_) throw EStreamError("Cannot open file " + path);
      break;
    case Mode::OpenWrite:
      file_ = OpenFile(path, "r+b");
      if (!file_) throw EStreamError("Cannot open file " + path);
      break;
  }
}

TFileStream::~TFileStream() {
  // A destructor cannot report: a stream whose bytes matter is closed with
  // Close() first, which does.
  if (file_) std::fclose(file_);
}

void TFileStream::Close() {
  if (!file_) return;
  // The last buffered bytes reach the file only here; a full disk or a lost
  // share shows up as a failed flush or close, which is a failed write.
  const bool flushed = std::fflush(file_) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed) throw EStreamError("Stream write error");
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  if (!file_) throw EStreamError("Stream read error");
  return std::fread(buffer, 1, count, file_);
}

void TFileStream::Write(const void* buffer, std::size_t count) {
  if (count == 0) return;
  if (!file_ || std::fwrite(buffer, 1, count, file_) != count) throw EStreamError("Stream write error");
}

std::uint64_t TFileStream::Position() const {
  if (!file_) return 0;
  const auto at = TellFile(file_);
  return at < 0 ? 0 : static_cast<std::uint64_t>(at);
}

void TFileStream::SetPosition(std::uint64_t position) {
  if (file_) SeekFile(file_, static_cast<std::int64_t>(position), SEEK_SET);
}

std::uint64_t TFileStream::Size() const {
  if (!file_) return 0;
  const auto here = TellFile(file_);
  SeekFile(file_, 0, SEEK_END);
  const auto end = TellFile(file_);
  SeekFile(file_, here, SEEK_SET);
  return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  TFileStream file(path, TFileStream::Mode::OpenRead);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}
