#include "mail/transfer_encodings.h"

#include <algorithm>
#include <cstdint>

#include "platform/message_pump.h"

namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kChunkTextLimit = 255;

// UU table: value 0 is the grave accent, 1..63 are "!" .. "_".
char UUChar(unsigned value) { return value == 0 ? '`' : static_cast<char>(' ' + value); }

std::uint8_t Byte(std::string_view bytes, std::size_t index) { return static_cast<std::uint8_t>(bytes[index]); }

// Appends the 6-bit groups of `bytes`, highest bits first, through `table`;
// a final group of 1 or 2 bytes gives 2 or 3 characters.
template <typename Table>
void AppendSextets(std::string_view bytes, std::string& out, Table table) {
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned group = (Byte(bytes, i) << 16) | (Byte(bytes, i + 1) << 8) | Byte(bytes, i + 2);
    out += table(group >> 18);
    out += table((group >> 12) & 63);
    out += table((group >> 6) & 63);
    out += table(group & 63);
  }
  const std::size_t rest = bytes.size() - i;
  if (rest == 0) return;
  const unsigned group = (Byte(bytes, i) << 16) | (rest == 2 ? Byte(bytes, i + 1) << 8 : 0);
  out += table(group >> 18);
  out += table((group >> 12) & 63);
  if (rest == 2) out += table((group >> 6) & 63);
}

// Reads `content` from its start in chunks of `chunkSize`, handing each to
// `encode` and the line to `writeLine`; stops after a short chunk.
template <typename Encode>
void EncodeChunks(TStream& content, std::size_t chunkSize, const TLineSink& writeLine, Encode encode) {
  content.SetPosition(0);
  std::string chunk(chunkSize, '\0');
  std::string line;
  for (;;) {
    const std::size_t got = content.Read(chunk.data(), chunkSize);
    encode(std::string_view(chunk.data(), got), line);
    writeLine(line);
    if (got < chunkSize) break;
  }
}

}  // namespace

void EncodeBase64Chunk(std::string_view bytes, std::string& out) {
  ProcessPendingMessages();
  out.clear();
  AppendSextets(bytes, out, [](unsigned value) { return kBase64Alphabet[value]; });
  while (out.size() % 4 != 0) out += '=';
  if (out.size() > kChunkTextLimit) out.resize(kChunkTextLimit);
}

std::string EncodeBase64Chunk(std::string_view bytes) {
  std::string out;
  EncodeBase64Chunk(bytes, out);
  return out;
}

void EncodeUULine(std::string_view bytes, std::string& out) {
  ProcessPendingMessages();
  bytes = bytes.substr(0, kUULineBytes);
  out.clear();
  out += UUChar(static_cast<unsigned>(bytes.size()));
  AppendSextets(bytes, out, UUChar);
}

std::string EncodeUULine(std::string_view bytes) {
  std::string out;
  EncodeUULine(bytes, out);
  return out;
}

void EncodeBase64Lines(TStream& content, const TLineSink& writeLine) {
  EncodeChunks(content, kBase64LineBytes, writeLine,
               [](std::string_view chunk, std::string& line) { EncodeBase64Chunk(chunk, line); });
}

void EncodeUULines(TStream& content, const TLineSink& writeLine) {
  EncodeChunks(content, kUULineBytes, writeLine,
               [](std::string_view chunk, std::string& line) { EncodeUULine(chunk, line); });
}
