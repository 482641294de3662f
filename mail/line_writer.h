// Writes the lines of a message into a stream: every line gets CR LF, and
// every line that begins with "." gets one more "." in front (SMTP
// transparency), so the message can go after DATA unchanged.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/stream.h"

class TLineWriter {
 public:
  explicit TLineWriter(TStream& target);
  TLineWriter(const TLineWriter&) = delete;
  TLineWriter& operator=(const TLineWriter&) = delete;

  // Writes `text` as one or more lines: a CR LF, a lone CR or a lone LF
  // inside it ends a line, so no bare line end reaches the wire and every
  // line is dot-doubled. An empty text writes an empty line.
  void WriteLine(std::string_view text);
  // Writes one line that holds no CR or LF, as every encoder's line is.
  void WriteEncodedLine(std::string_view line) { WriteOneLine(line); }
  // Writes text that is whole lines, each already ending in CR LF, none
  // beginning with "." (as Base64 lines never do).
  void WriteLineEndedText(std::string_view text);
  // Hands the buffered lines to the stream. Call once at the end.
  void Flush();

 private:
  void WriteOneLine(std::string_view line);

  TStream& target_;
  // Lines are gathered here and handed to the stream in large writes.
  std::unique_ptr<char[]> buffer_;
  std::size_t filled_ = 0;
};
