#include "mail/transfer_encodings.h"

#include <cstdint>
#include <cstring>

#include "platform/message_pump.h"

namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kChunkTextLimit = 255;

// UU table: value 0 is the grave accent, 1..63 are "!" .. "_".
constexpr char UUChar(unsigned value) { return value == 0 ? '`' : static_cast<char>(' ' + value); }
constexpr char Base64Char(unsigned value) { return kBase64Alphabet[value]; }

// The two characters of every 12-bit value, so that each group of 3 bytes
// takes two look-ups.
struct TPairTable {
  char pairs[4096][2];
};

template <char (*Table)(unsigned)>
constexpr TPairTable MakePairTable() {
  TPairTable table{};
  for (unsigned value = 0; value < 4096; ++value) {
    table.pairs[value][0] = Table(value >> 6);
    table.pairs[value][1] = Table(value & 63);
  }
  return table;
}

constexpr TPairTable kBase64Pairs = MakePairTable<Base64Char>();
constexpr TPairTable kUUPairs = MakePairTable<UUChar>();

// Writes the 6-bit groups of `bytes`, highest bits first, from `pairs` and
// `single` to `out`; a final group of 1 or 2 bytes gives 2 or 3 characters.
// Returns the end of what was written.
char* WriteSextets(std::string_view bytes, char* out, const TPairTable& pairs, char (*single)(unsigned)) {
  const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t full = bytes.size() / 3 * 3;
  for (std::size_t i = 0; i < full; i += 3) {
    const unsigned group = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
    std::memcpy(out, pairs.pairs[group >> 12], 2);
    std::memcpy(out + 2, pairs.pairs[group & 4095], 2);
    out += 4;
  }
  const std::size_t rest = bytes.size() - full;
  if (rest == 0) return out;
  const unsigned group = (in[full] << 16) | (rest == 2 ? in[full + 1] << 8 : 0);
  *out++ = single(group >> 18);
  *out++ = single((group >> 12) & 63);
  if (rest == 2) *out++ = single((group >> 6) & 63);
  return out;
}

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

// Reads `content` from its start in chunks of `chunkSize`, handing each to
// `encode` and the line to `writeLine`; stops after a short chunk (which
// may be empty). The stream is read a block of whole chunks at a time.
template <typename Encode>
void EncodeChunks(TStream& content, std::size_t chunkSize, const TLineSink& writeLine, Encode encode) {
  constexpr std::size_t kChunksPerBlock = 1024;
  content.SetPosition(0);
  std::string block(chunkSize * kChunksPerBlock, '\0');
  std::string line;
  for (;;) {
    const std::size_t filled = ReadBlock(content, block);
    const std::string_view data(block.data(), filled);
    std::size_t offset = 0;
    for (; filled - offset >= chunkSize; offset += chunkSize) {
      encode(data.substr(offset, chunkSize), line);
      writeLine(line);
    }
    if (filled < block.size()) {
      encode(data.substr(offset), line);
      writeLine(line);
      return;
    }
  }
}

}  // namespace

namespace {

// The padded Base64 text of `bytes`, whatever its length.
void EncodeBase64Into(std::string_view bytes, std::string& out) {
  const std::size_t padded = (bytes.size() + 2) / 3 * 4;
  out.resize(padded);
  char* end = WriteSextets(bytes, out.data(), kBase64Pairs, Base64Char);
  std::memset(end, '=', static_cast<std::size_t>(out.data() + padded - end));
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
  WriteSextets(bytes, out.data() + 1, kUUPairs, UUChar);
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
