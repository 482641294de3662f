#include "mail/line_writer.h"

namespace {

// Lines are gathered and handed to the stream in blocks of about this size.
constexpr std::size_t kFlushSize = 64 * 1024;

}  // namespace

void TLineWriter::WriteLine(std::string_view text) {
  for (;;) {
    const auto end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) break;
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
