// Byte streams in the manner of the forms framework: one abstract stream
// with a position, a memory stream and a file stream. Encoders, writers and
// the mail stack read and write through these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raised for every stream failure; the texts are the framework's own:
// "Cannot create file %s", "Cannot open file %s", "Stream write error",
// "Stream read error".
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TStream {
 public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Reads up to `count` bytes at the position; returns how many were read.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Writes all `count` bytes at the position or raises "Stream write error".
  virtual void Write(const void* buffer, std::size_t count) = 0;
  virtual std::uint64_t Position() const = 0;
  virtual void SetPosition(std::uint64_t position) = 0;
  virtual std::uint64_t Size() const = 0;

  void Write(std::string_view text) { Write(text.data(), text.size()); }
  void WriteByte(std::uint8_t value) { Write(&value, 1); }
  // Reads exactly `count` bytes or raises "Stream read error".
  void ReadBuffer(void* buffer, std::size_t count);
  // Copies the rest of `source` (from its position) to this stream.
  void CopyFrom(TStream& source);
};

class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;
  std::uint64_t Position() const override { return position_; }
  void SetPosition(std::uint64_t position) override { position_ = static_cast<std::size_t>(position); }
  std::uint64_t Size() const override { return bytes_.size(); }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }
  void Clear();
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// A file opened for the life of the object. Paths are UTF-8.
class TFileStream final : public TStream {
 public:
  enum class Mode {
    Create,     // create or truncate, read and write ("Cannot create file %s")
    OpenRead,   // existing file, read only ("Cannot open file %s")
    OpenWrite,  // existing file, read and write ("Cannot open file %s")
  };
  TFileStream(const std::string& path, Mode mode);
  ~TFileStream() override;

  std::size_t Read(void* buffer, std::size_t count) override;
  void Write(const void* buffer, std::size_t count) override;
  using TStream::Write;
  std::uint64_t Position() const override;
  void SetPosition(std::uint64_t position) override;
  std::uint64_t Size() const override;

  const std::string& FileName() const { return path_; }
  // Flushes and closes; raises "Stream write error" when the buffered bytes
  // could not be written. Later calls on the stream fail. Writers call it
  // before they report success: the destructor closes silently.
  void Close();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// Reads a whole file into memory (raises "Cannot open file %s").
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);
