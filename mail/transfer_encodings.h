// Base64 (RFC 2045) and UUEncode lines for message text and attachments.
// The encoders produce lines of text without line ends; the message's line
// writer adds CR LF. Each call lets the user interface run once, so that
// long encodings keep it responsive.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/stream.h"

// Bytes per Base64 attachment line (76 characters) and per UU line (60).
inline constexpr std::size_t kBase64LineBytes = 57;
inline constexpr std::size_t kUULineBytes = 45;

// The Base64 text of `bytes` into `out` (reusing its storage), padded with
// "=" to a multiple of 4 and cut at 255 characters.
void EncodeBase64Chunk(std::string_view bytes, std::string& out);
// The same without the cut, for encoded words: a cut text would not decode.
std::string EncodeBase64(std::string_view bytes);

// One UU line for up to 45 bytes (more are ignored): the length character,
// then 4 characters per 3 bytes, no fill characters.
std::string EncodeUULine(std::string_view bytes);
void EncodeUULine(std::string_view bytes, std::string& out);

using TLineSink = std::function<void(std::string_view line)>;

// The Base64 lines of `content`, read from its start in 57-byte chunks.
// Reading stops after a shorter chunk, so a size that is a multiple of 57
// (0 included) ends with an empty line.
void EncodeBase64Lines(TStream& content, const TLineSink& writeLine);

// The same lines written to `writer` a block at a time, without a call per
// line: the attachment road of a message.
class TLineWriter;
void WriteBase64Lines(TStream& content, TLineWriter& writer);

// The UU lines of `content`, read from its start in 45-byte chunks. A size
// that is a multiple of 45 (0 included) ends with a line holding only "`".
void EncodeUULines(TStream& content, const TLineSink& writeLine);
