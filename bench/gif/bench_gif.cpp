// The GIF road against peers measured in the same run: our run-length and
// LZW encoders against giflib's LZW encoder on the same 8-bit indices, and
// the cube reduction of a 32-bit capture against memcpy of its bytes. A
// summary of ratios is printed after the runs.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/common/synthetic_desktop.h"
#include "gif/color_reduction.h"
#include "gif/lzw_encoder.h"
#include "gif/rle_encoder.h"
#include "platform/stream.h"

namespace {

struct TInputs {
  TBitmap capture;               // 32-bit desktop
  std::vector<std::uint8_t> indices;  // its cube indices, rows from the top
};

const TInputs& Inputs(int width, int height) {
  static std::map<std::pair<int, int>, TInputs> cache;
  auto [it, fresh] = cache.try_emplace({width, height});
  if (fresh) {
    it->second.capture = MakeSyntheticDesktop(width, height);
    TBitmap copy = it->second.capture;
    const TBitmap reduced = ReduceColors(copy, rdWebCube, dkNearest, 8);
    for (int y = 0; y < height; ++y) it->second.indices.insert(it->second.indices.end(), reduced.Row(y), reduced.Row(y) + width);
  }
  return it->second;
}

template <class Encoder>
void BM_Ours(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const TInputs& inputs = Inputs(width, height);
  TMemoryStream stream;
  for (auto _ : state) {
    stream.Clear();
    Encoder encoder;
    encoder.Compress(stream, 8, 256, inputs.indices.data(), false, height, width);
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
  state.counters["bytes"] = static_cast<double>(stream.Bytes().size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(inputs.indices.size()));
}

int WriteToMemory(GifFileType* file, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(file->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

void BM_Giflib(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const TInputs& inputs = Inputs(width, height);
  std::vector<GifColorType> colors(256);
  for (int i = 0; i < 216; ++i)
    colors[i] = {static_cast<GifByteType>(51 * (i / 36)), static_cast<GifByteType>(51 * (i / 6 % 6)),
                 static_cast<GifByteType>(51 * (i % 6))};
  std::vector<std::uint8_t> out;
  std::vector<GifPixelType> row(static_cast<std::size_t>(width));
  for (auto _ : state) {
    out.clear();
    int error = 0;
    GifFileType* file = EGifOpen(&out, WriteToMemory, &error);
    ColorMapObject* map = GifMakeMapObject(256, colors.data());
    EGifPutScreenDesc(file, width, height, 8, 0, nullptr);
    EGifPutImageDesc(file, 0, 0, width, height, false, map);
    for (int y = 0; y < height; ++y) {
      // giflib takes a non-const line; copying a row is part of its price.
      std::memcpy(row.data(), inputs.indices.data() + static_cast<std::size_t>(y) * width, row.size());
      if (EGifPutLine(file, row.data(), width) != GIF_OK) state.SkipWithError("EGifPutLine failed");
    }
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
    benchmark::DoNotOptimize(out.data());
  }
  // The image data alone, without the 13-byte screen, 768-byte table,
  // 10-byte descriptor and trailer, to compare with our image data.
  state.counters["bytes"] = static_cast<double>(out.size() - 13 - 768 - 10 - 1);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(inputs.indices.size()));
}

// The whole reduction of a 32-bit capture, including the in-place
// conversion of the capture to 24 bits; each iteration gets a fresh copy.
void BM_CubeReduction(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const TInputs& inputs = Inputs(width, height);
  TBitmap source;
  for (auto _ : state) {
    state.PauseTiming();
    source = inputs.capture;
    state.ResumeTiming();
    TBitmap result = ReduceColors(source, rdWebCube, dkNearest, 8);
    benchmark::DoNotOptimize(result.Bits().data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(inputs.capture.Bits().size()));
}

void BM_Memcpy(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const TInputs& inputs = Inputs(width, height);
  std::vector<std::uint8_t> target(inputs.capture.Bits().size());
  for (auto _ : state) {
    std::memcpy(target.data(), inputs.capture.Bits().data(), target.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(target.size()));
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->Repetitions(5);
}

BENCHMARK(BM_Ours<TRLEEncoder>)->Name("rle_ours")->Apply(Sizes);
BENCHMARK(BM_Ours<TLZWEncoder>)->Name("lzw_ours")->Apply(Sizes);
BENCHMARK(BM_Giflib)->Name("lzw_giflib")->Apply(Sizes);
BENCHMARK(BM_CubeReduction)->Name("cube_reduction")->Apply(Sizes);
BENCHMARK(BM_Memcpy)->Name("memcpy")->Apply(Sizes);

// Keeps, per benchmark, the smallest CPU time per iteration over the
// repetitions (the build machine is shared, so the least disturbed run is
// the best estimate) and the output size, for the summary.
class TSummaryReporter : public benchmark::ConsoleReporter {
 public:
  struct TResult {
    double seconds = 0;
    double bytes = 0;
  };
  std::map<std::string, TResult> results;

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      TResult& r = results[run.run_name.function_name + "/" + run.run_name.args];
      const double seconds = run.GetAdjustedCPUTime();
      if (r.seconds == 0 || seconds < r.seconds) r.seconds = seconds;
      const auto found = run.counters.find("bytes");
      if (found != run.counters.end()) r.bytes = found->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

void PrintSummary(const TSummaryReporter& reporter) {
  const auto get = [&](const std::string& name, const char* size) {
    const auto found = reporter.results.find(name + "/" + size);
    return found == reporter.results.end() ? TSummaryReporter::TResult{} : found->second;
  };
  std::printf("\nSummary (ratios of the same run, fastest CPU time of each benchmark's repetitions)\n");
  for (const char* size : {"1920/1080", "3840/2160"}) {
    const auto rle = get("rle_ours", size), lzw = get("lzw_ours", size), giflib = get("lzw_giflib", size);
    const auto cube = get("cube_reduction", size), copy = get("memcpy", size);
    if (rle.seconds <= 0 || lzw.seconds <= 0 || giflib.seconds <= 0 || cube.seconds <= 0 || copy.seconds <= 0) continue;
    std::printf("%s: run-length %.2fx faster than giflib (target >= 4), size %.3f of giflib's\n", size,
                giflib.seconds / rle.seconds, rle.bytes / giflib.bytes);
    std::printf("%s: LZW %.2fx faster than giflib (target >= 1.5), size %.4f of giflib's (target within 1 %%)\n",
                size, giflib.seconds / lzw.seconds, lzw.bytes / giflib.bytes);
    std::printf("%s: cube reduction at %.0f %% of memcpy's rate (target >= 50 %%)\n", size,
                100.0 * copy.seconds / cube.seconds);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintSummary(reporter);
  return 0;
}
