#include "mail/transfer_encodings.h"

#include <cstring>

#include "mail/line_writer.h"
#include "mail/sextets.h"
#include "platform/message_pump.h"

namespace {

constexpr std::size_t kChunkTextLimit = 255;

std::size_t SextetCount(std::size_t byteCount) { return (byteCount * 4 + 2) / 3; }

// Fills `block` from the stream as far as it goes; returns the byte count.
std::size_t ReadBlock(TStream& content, std::string& block) {
  std::size_t filled = 0;
  while (filled < block.size()) {
    const std::size_t got = content.Read(block.data() + filled, block.size() - filled);
    if (got == 0) break;
    filled += got;
  }
  return filled;
}

// Reads `content` from its start a block of whole chunks of `chunkSize`
// bytes at a time. The whole chunks of each block go to `encodeWhole`; the
// short chunk at the end (which may be empty) goes to `encodeLast`.
template <typename EncodeWhole, typename EncodeLast>
void EncodeChunks(TStream& content, std::size_t chunkSize, EncodeWhole encodeWhole, EncodeLast encodeLast) {
  constexpr std::size_t kChunksPerBlock = 1024;
  content.SetPosition(0);
  std::string block(chunkSize * kChunksPerBlock, '\0');
  for (;;) {
    const std::size_t filled = ReadBlock(content, block);
    const std::size_t whole = filled / chunkSize * chunkSize;
    if (whole > 0) encodeWhole(std::string_view(block.data(), whole));
    if (filled < block.size()) {
      encodeLast(std::string_view(block.data() + whole, filled - whole));
      return;
    }
  }
}

// The padded Base64 text of `bytes`, whatever its length.
void EncodeBase64Into(std::string_view bytes, std::string& out) {
  const std::size_t padded = (bytes.size() + 2) / 3 * 4;
  out.resize(padded);
  char* end = WriteSextets(bytes, out.data(), TSextetAlphabet::Base64);
  if (end != out.data() + padded) std::memset(end, '=', static_cast<std::size_t>(out.data() + padded - end));
}

}  // namespace

void EncodeBase64Chunk(std::string_view bytes, std::string& out) {
  ProcessPendingMessages();
  EncodeBase64Into(bytes, out);
  if (out.size() > kChunkTextLimit) out.resize(kChunkTextLimit);
}

std::string EncodeBase64(std::string_view bytes) {
  ProcessPendingMessages();
  std::string out;
  EncodeBase64Into(bytes, out);
  return out;
}

void EncodeUULine(std::string_view bytes, std::string& out) {
  ProcessPendingMessages();
  bytes = bytes.substr(0, kUULineBytes);
  out.resize(1 + SextetCount(bytes.size()));
  out[0] = UUChar(static_cast<unsigned>(bytes.size()));
  WriteSextets(bytes, out.data() + 1, TSextetAlphabet::UU);
}

std::string EncodeUULine(std::string_view bytes) {
  std::string out;
  EncodeUULine(bytes, out);
  return out;
}

namespace {

constexpr std::size_t kBase64LineChars = kBase64LineBytes / 3 * 4;

// The Base64 lines of `content`: each block's whole chunks go to
// `wholeLines` as one text of 76-character lines, one after the other (each
// chunk is whole 3-byte groups, so one pass encodes them all); the short
// last chunk goes to `lastLine`.
template <typename WholeLines, typename LastLine>
void EncodeBase64Blocks(TStream& content, WholeLines wholeLines, LastLine lastLine) {
  std::string text;
  std::string line;
  EncodeChunks(
      content, kBase64LineBytes,
      [&](std::string_view chunks) {
        text.resize(chunks.size() / 3 * 4);
        WriteSextets(chunks, text.data(), TSextetAlphabet::Base64);
        wholeLines(std::string_view(text));
      },
      [&](std::string_view last) {
        EncodeBase64Chunk(last, line);
        lastLine(std::string_view(line));
      });
}

}  // namespace

void EncodeBase64Lines(TStream& content, const TLineSink& writeLine) {
  EncodeBase64Blocks(
      content,
      [&](std::string_view text) {
        for (std::size_t at = 0; at < text.size(); at += kBase64LineChars) {
          ProcessPendingMessages();
          writeLine(text.substr(at, kBase64LineChars));
        }
      },
      writeLine);
}

void WriteBase64Lines(TStream& content, TLineWriter& writer) {
  std::string lines;
  EncodeBase64Blocks(
      content,
      [&](std::string_view text) {
        // Each line gets its CR LF here, so the writer takes the block at
        // once; no Base64 line begins with "." to be doubled.
        const std::size_t count = text.size() / kBase64LineChars;
        lines.resize(count * (kBase64LineChars + 2));
        char* out = lines.data();
        for (std::size_t i = 0; i < count; ++i) {
          ProcessPendingMessages();
          std::memcpy(out, text.data() + i * kBase64LineChars, kBase64LineChars);
          out[kBase64LineChars] = '\r';
          out[kBase64LineChars + 1] = '\n';
          out += kBase64LineChars + 2;
        }
        writer.WriteLineEndedText(lines);
      },
      [&](std::string_view last) { writer.WriteEncodedLine(last); });
}

void EncodeUULines(TStream& content, const TLineSink& writeLine) {
  std::string line;
  const auto encode = [&](std::string_view chunk) {
    EncodeUULine(chunk, line);
    writeLine(line);
  };
  EncodeChunks(
      content, kUULineBytes,
      [&](std::string_view chunks) {
        for (std::size_t at = 0; at < chunks.size(); at += kUULineBytes) encode(chunks.substr(at, kUULineBytes));
      },
      encode);
}
