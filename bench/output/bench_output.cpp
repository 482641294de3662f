// Benchmarks of the output writers, each beside a peer measured in the same
// run, interleaved round by round; the ratios are printed at the end:
//   our JPEG writer against libjpeg called directly with the same settings,
//   the BMP writer against a plain memcpy of the pixel rows,
//   the whole GIF road (32-bit capture -> cube -> run-length GIF file),
//   whose peer is Pillow (bench/output/peers.sh).
// `bench_output --write-desktop-bmp PATH [WIDTHxHEIGHT]` writes the
// synthetic desktop as a BMP for the peers that are separate programs.
// `bench_output --cold-save KIND IN.bmp OUT` times one save in a fresh
// process (bench/output/cold_peers.py runs it): KIND bmp or jpeg is our
// writer, write is one write call of the same BMP file's bytes, libjpeg is
// libjpeg compressing the same rows into memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>

// jpeglib.h uses FILE and size_t without including their headers.
// clang-format off
#include <cstddef>
#include <jpeglib.h>
// clang-format on

#include "bench/common/synthetic_desktop.h"
#include "output/jpeg_image.h"
#include "output/read_bitmap_file.h"
#include "output/write_bitmap_file.h"
#include "output/write_gif_file.h"

namespace {

struct TSize {
  int width;
  int height;
};

const TBitmap& Desktop32(int width, int height) {
  static std::map<std::pair<int, int>, TBitmap> cache;
  auto [it, fresh] = cache.try_emplace({width, height});
  if (fresh) it->second = MakeSyntheticDesktop(width, height);
  return it->second;
}

const TBitmap& Desktop24(int width, int height) {
  static std::map<std::pair<int, int>, TBitmap> cache;
  auto [it, fresh] = cache.try_emplace({width, height});
  if (fresh) {
    it->second = Desktop32(width, height);
    it->second.ConvertTo24Bit();
  }
  return it->second;
}

// CPU seconds that `work` takes. CPU time, not wall time: the build
// machine is shared, and waiting for a core says nothing about the code.
template <class Work>
double CPUSeconds(Work&& work) {
  const std::clock_t start = std::clock();
  work();
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Runs ours and the peer alternately in every iteration (the one going
// first changes each time), so that changes in the machine's load hit both
// alike, and reports the peer's time as a share of ours: 100 % means as
// fast as the peer, 50 % half as fast.
template <class Ours, class Peer>
void Paired(benchmark::State& state, Ours&& ours, Peer&& peer) {
  double oursTotal = 0;
  double peerTotal = 0;
  bool oursFirst = true;
  for (auto _ : state) {
    if (oursFirst) {
      oursTotal += CPUSeconds(ours);
      peerTotal += CPUSeconds(peer);
    } else {
      peerTotal += CPUSeconds(peer);
      oursTotal += CPUSeconds(ours);
    }
    oursFirst = !oursFirst;
  }
  const double rounds = static_cast<double>(state.iterations());
  state.counters["ours_ms"] = 1e3 * oursTotal / rounds;
  state.counters["peer_ms"] = 1e3 * peerTotal / rounds;
  state.counters["speed_pct"] = oursTotal > 0 ? 100.0 * peerTotal / oursTotal : 0;
}

void CompressOurs(const TBitmap& image) {
  TJPEGImage jpeg;
  jpeg.Assign(image);
  jpeg.CompressionQuality = 100;
  jpeg.Compress();
  benchmark::DoNotOptimize(jpeg.Data().data());
}

// libjpeg compressing the rows of a 24- or plain 32-bit image into memory
// it allocates, at quality 100.
void CompressRows(const TBitmap& image, unsigned long capacity) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned long size = capacity;
  auto* buffer = capacity > 0 ? static_cast<unsigned char*>(std::malloc(size)) : nullptr;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(image.Width());
  cinfo.image_height = static_cast<JDIMENSION>(image.Height());
  const bool fourBytes = image.BitsPerPixel() == 32;
  cinfo.input_components = fourBytes ? 4 : 3;
  cinfo.in_color_space = fourBytes ? JCS_EXT_BGRX : JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.Row(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  benchmark::DoNotOptimize(buffer);
  std::free(buffer);
}

// The peer: the same rows, settings and up-front buffer, straight into
// libjpeg's own memory destination.
void CompressDirect(const TBitmap& image) { CompressRows(image, image.Bits().size() + 4096); }

void BM_JPEGWriterVsLibjpeg(benchmark::State& state) {
  const TBitmap& image = Desktop24(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Paired(
      state, [&] { CompressOurs(image); }, [&] { CompressDirect(image); });
}

// A stream over a buffer allocated once, so both sides copy into memory
// that is already mapped.
class TPreparedSink final : public TStream {
 public:
  explicit TPreparedSink(std::size_t capacity) : bytes_(capacity) {}
  std::size_t Read(void*, std::size_t) override { return 0; }
  void Write(const void* buffer, std::size_t count) override {
    if (position_ + count > bytes_.size()) throw EStreamError("Stream write error");
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
  }
  std::uint64_t Position() const override { return position_; }
  void SetPosition(std::uint64_t position) override { position_ = static_cast<std::size_t>(position); }
  std::uint64_t Size() const override { return bytes_.size(); }
  std::uint8_t* Data() { return bytes_.data(); }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

void BM_BitmapWriterVsMemcpy(benchmark::State& state) {
  const TBitmap& image = Desktop32(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  TPreparedSink sink(image.Bits().size() + 4096);
  TPreparedSink copy(image.Bits().size());
  auto write = [&] {
    sink.SetPosition(0);
    SaveBitmapToStream(image, sink);
    benchmark::ClobberMemory();
  };
  auto memcpyRows = [&] {
    std::memcpy(copy.Data(), image.Bits().data(), image.Bits().size());
    benchmark::ClobberMemory();
  };
  // Many rounds per timing, since one copy takes about a millisecond.
  Paired(
      state,
      [&] {
        for (int i = 0; i < 20; ++i) write();
      },
      [&] {
        for (int i = 0; i < 20; ++i) memcpyRows();
      });
}

// The program's GIF save of a fresh capture: the writer converts the
// capture in place, so every round starts from a new copy (not timed).
void BM_GIFRoad(benchmark::State& state) {
  const TBitmap& capture = Desktop32(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::string path = (std::filesystem::temp_directory_path() / "grabwell_bench_road.gif").string();
  for (auto _ : state) {
    state.PauseTiming();
    TBitmap image = capture;
    state.ResumeTiming();
    WriteGIFFile(image, path);
  }
  state.counters["gif_bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->Repetitions(3)->MinTime(2.0);
}

BENCHMARK(BM_JPEGWriterVsLibjpeg)->Apply(Sizes);
BENCHMARK(BM_BitmapWriterVsMemcpy)->Apply(Sizes);
BENCHMARK(BM_GIFRoad)->Apply(Sizes);

// Prints, after the usual console table, the median speed share of each
// paired benchmark over its repetitions.
class TRatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const auto share = run.counters.find("speed_pct");
      if (share != run.counters.end()) shares_[run.benchmark_name()].push_back(share->second.value);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    std::printf("\n");  // the console table leaves a colour reset pending
    for (auto [name, values] : shares_) {
      std::sort(values.begin(), values.end());
      std::printf("ratio %-50s speed vs peer %6.1f %% (median of %zu)\n", name.c_str(), values[values.size() / 2],
                  values.size());
    }
  }

 private:
  std::map<std::string, std::vector<double>> shares_;
};

// One save of the picture in IN, in this fresh process; prints the CPU
// milliseconds of the save alone. CPU time, as everywhere in these
// benchmarks: the machine is shared.
int ColdSave(const std::string& kind, const std::string& in, const std::string& out) {
  const TBitmap image = ReadBitmapFile(in);
  std::vector<std::uint8_t> file;
  if (kind == "write") {
    TMemoryStream bytes;
    SaveBitmapToStream(image, bytes);
    file = bytes.Bytes();
  }
  double seconds = 0;
  if (kind == "bmp") {
    seconds = CPUSeconds([&] { WriteBitmapFile(image, out); });
  } else if (kind == "write") {
    seconds = CPUSeconds([&] {
      const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || write(fd, file.data(), file.size()) != static_cast<ssize_t>(file.size())) std::abort();
      close(fd);
    });
  } else if (kind == "jpeg") {
    seconds = CPUSeconds([&] { WriteJPEGFile(image, out); });
  } else if (kind == "libjpeg") {
    seconds = CPUSeconds([&] { CompressRows(image, 0); });
  } else {
    return 2;
  }
  std::printf("%.3f\n", 1e3 * seconds);
  return 0;
}

int WriteDesktopBMP(int argc, char** argv) {
  int width = 1920, height = 1080;
  if (argc > 3 && std::sscanf(argv[3], "%dx%d", &width, &height) != 2) return 2;
  WriteBitmapFile(Desktop32(width, height), argv[2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--write-desktop-bmp") return WriteDesktopBMP(argc, argv);
  if (argc == 5 && std::string(argv[1]) == "--cold-save") return ColdSave(argv[2], argv[3], argv[4]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  std::printf("targets: JPEG writer >= 95 %% of libjpeg direct, BMP writer >= 50 %% of memcpy\n");
  benchmark::Shutdown();
  return 0;
}
