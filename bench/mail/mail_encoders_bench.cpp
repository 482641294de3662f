// Throughput of the attachment encoders on random content, with memcpy of
// the same bytes as the yardstick measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "mail/line_writer.h"
#include "mail/quoted_printable.h"
#include "mail/transfer_encodings.h"

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t size) {
  std::mt19937 engine(2000);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(engine());
  return bytes;
}

constexpr std::size_t kTenMiB = 10 << 20;
constexpr std::size_t kOneMiB = 1 << 20;

void BM_Memcpy10MiB(benchmark::State& state) {
  const auto source = RandomBytes(kTenMiB);
  std::vector<std::uint8_t> target(kTenMiB);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), source.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTenMiB));
}

// Takes the message's bytes and keeps only their count, so that the
// encoders are measured rather than the growth of a buffer.
class TCountingStream final : public TStream {
 public:
  std::size_t Read(void*, std::size_t) override { return 0; }
  void Write(const void*, std::size_t count) override { size_ += count; }
  using TStream::Write;
  std::uint64_t Position() const override { return size_; }
  void SetPosition(std::uint64_t) override {}
  std::uint64_t Size() const override { return size_; }

 private:
  std::uint64_t size_ = 0;
};

void WriteUULines(TStream& content, TLineWriter& writer) {
  EncodeUULines(content, [&writer](std::string_view line) { writer.WriteEncodedLine(line); });
}

// Attachment lines of 10 MiB through the message's line writer, as a
// message is composed.
template <void (*WriteLines)(TStream&, TLineWriter&)>
void BM_Lines10MiB(benchmark::State& state) {
  TMemoryStream content(RandomBytes(kTenMiB));
  for (auto _ : state) {
    TCountingStream target;
    TLineWriter writer(target);
    WriteLines(content, writer);
    writer.Flush();
    benchmark::DoNotOptimize(target.Size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTenMiB));
}

void BM_QuotedPrintable1MiB(benchmark::State& state) {
  TMemoryStream content(RandomBytes(kOneMiB));
  for (auto _ : state) {
    TCountingStream target;
    TLineWriter writer(target);
    TQuotedPrintable(content, [&writer](std::string_view line) { writer.WriteEncodedLine(line); }).Encode();
    writer.Flush();
    benchmark::DoNotOptimize(target.Size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kOneMiB));
}

BENCHMARK(BM_Memcpy10MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lines10MiB<WriteBase64Lines>)->Name("BM_Base64Lines10MiB")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lines10MiB<WriteUULines>)->Name("BM_UULines10MiB")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedPrintable1MiB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
