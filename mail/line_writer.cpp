#include "mail/line_writer.h"

#include <cstring>

namespace {

// Lines are gathered and handed to the stream in blocks of this size.
constexpr std::size_t kBufferSize = 64 * 1024;

// The position of the first CR or LF in `text`, or its size.
std::size_t LineEndIn(std::string_view text) {
  if (text.empty()) return 0;
  const void* cr = std::memchr(text.data(), '\r', text.size());
  const void* lf = std::memchr(text.data(), '\n', text.size());
  const char* end = text.data() + text.size();
  if (cr) end = static_cast<const char*>(cr);
  if (lf && static_cast<const char*>(lf) < end) end = static_cast<const char*>(lf);
  return static_cast<std::size_t>(end - text.data());
}

}  // namespace

void TLineWriter::WriteLine(std::string_view text) {
  for (;;) {
    const std::size_t end = LineEndIn(text);
    if (end == text.size()) break;
    WriteOneLine(text.substr(0, end));
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  WriteOneLine(text);
}

TLineWriter::TLineWriter(TStream& target) : target_(target), buffer_(new char[kBufferSize]) {}

void TLineWriter::WriteOneLine(std::string_view line) {
  const std::size_t dot = !line.empty() && line.front() == '.' ? 1 : 0;
  const std::size_t size = dot + line.size() + 2;
  if (kBufferSize - filled_ < size) {
    Flush();
    if (size > kBufferSize) {
      // A line longer than the buffer goes to the stream by itself.
      target_.Write(dot ? "." : "", dot);
      target_.Write(line);
      target_.Write("\r\n");
      return;
    }
  }
  char* out = buffer_.get() + filled_;
  if (dot) *out = '.';
  if (!line.empty()) std::memcpy(out + dot, line.data(), line.size());
  out[dot + line.size()] = '\r';
  out[dot + line.size() + 1] = '\n';
  filled_ += size;
}

void TLineWriter::WriteLineEndedText(std::string_view text) {
  if (kBufferSize - filled_ < text.size()) {
    Flush();
    if (text.size() > kBufferSize) {
      target_.Write(text);
      return;
    }
  }
  if (!text.empty()) std::memcpy(buffer_.get() + filled_, text.data(), text.size());
  filled_ += text.size();
}

void TLineWriter::Flush() {
  if (filled_ > 0) target_.Write(buffer_.get(), filled_);
  filled_ = 0;
}
