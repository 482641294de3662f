#include "mail/line_writer.h"

#include <cstring>

namespace {

// Lines are gathered and handed to the stream in blocks of about this size.
constexpr std::size_t kFlushSize = 64 * 1024;

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

void TLineWriter::WriteOneLine(std::string_view line) {
  if (!line.empty() && line.front() == '.') buffer_ += '.';
  buffer_ += line;
  buffer_ += "\r\n";
  if (buffer_.size() >= kFlushSize) Flush();
}

void TLineWriter::Flush() {
  target_.Write(buffer_);
  buffer_.clear();
}
