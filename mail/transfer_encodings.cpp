#include "mail/transfer_encodings.h"

#include <bit>
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

// The 8 bytes at `in` as one number, the first byte highest (compilers
// turn this into one load and a byte swap).
std::uint64_t LoadBigEndian64(const std::uint8_t* in) {
  return (std::uint64_t{in[0]} << 56) | (std::uint64_t{in[1]} << 48) | (std::uint64_t{in[2]} << 40) |
         (std::uint64_t{in[3]} << 32) | (std::uint64_t{in[4]} << 24) | (std::uint64_t{in[5]} << 16) |
         (std::uint64_t{in[6]} << 8) | std::uint64_t{in[7]};
}

// The two characters of a pair as they lie in memory, read as one number.
std::uint64_t PairBits(const TPairTable& pairs, std::uint64_t value) {
  std::uint16_t bits;
  std::memcpy(&bits, pairs.pairs[value & 4095], 2);
  return bits;
}

// Writes the 6-bit groups of `bytes`, highest bits first, from `pairs` and
// `single` to `out`; a final group of 1 or 2 bytes gives 2 or 3 characters.
// Returns the end of what was written.
char* WriteSextets(std::string_view bytes, char* out, const TPairTable& pairs, char (*single)(unsigned)) {
  const auto* in = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t full = bytes.size() / 3 * 3;
  std::size_t i = 0;
  // Six bytes at a time from one 8-byte load while 8 bytes are readable:
  // four 12-bit look-ups give eight characters, stored at once.
  for (; i + 8 <= bytes.size(); i += 6) {
    const std::uint64_t group = LoadBigEndian64(in + i) >> 16;
    const std::uint64_t first = PairBits(pairs, group >> 36), second = PairBits(pairs, group >> 24),
                        third = PairBits(pairs, group >> 12), fourth = PairBits(pairs, group);
    const std::uint64_t text = std::endian::native == std::endian::little
                                   ? first | second << 16 | third << 32 | fourth << 48
                                   : first << 48 | second << 32 | third << 16 | fourth;
    std::memcpy(out, &text, 8);
    out += 8;
  }
  for (; i < full; i += 3) {
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
