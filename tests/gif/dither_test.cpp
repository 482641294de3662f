// Dither engines: where one pixel's error lands for each kernel, the
// serpentine walk, clamping, and the one-pixel-wide picture.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "gif/color_reduction.h"
#include "gif/dither.h"

namespace {

// Returns each wanted colour as chosen (no error), except at one pixel,
// where it chooses `chosenRed` and so creates an error in red only.
class TProbeLookup final : public TColorLookup {
 public:
  TProbeLookup() : TColorLookup(256) {}
  TLookupResult Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override {
    wanted[at] = red;
    visits.push_back(at);
    if (at == errorAt) return {1, chosenRed, green, blue};
    return {0, red, green, blue};
  }

  std::pair<int, int> at;
  std::pair<int, int> errorAt;
  std::uint8_t chosenRed = 0;
  std::map<std::pair<int, int>, int> wanted;
  std::vector<std::pair<int, int>> visits;
};

struct Kernel {
  TDitherKind kind;
  int divisor;
  std::vector<TKernelCell> cells;
};

const std::vector<Kernel>& Kernels() {
  static const std::vector<Kernel> kernels = {
      {dkFloydSteinberg, 16, {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}},
      {dkStucki, 42, {{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2},
                      {-2, 2, 1}, {-1, 2, 2}, {0, 2, 4}, {1, 2, 2}, {2, 2, 1}}},
      {dkSierra, 32, {{1, 0, 5}, {2, 0, 3}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 5}, {1, 1, 4}, {2, 1, 2},
                      {-1, 2, 2}, {0, 2, 3}, {1, 2, 2}}},
      {dkJaJuNi, 48, {{1, 0, 7}, {2, 0, 5}, {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5}, {2, 1, 3},
                      {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5}, {1, 2, 3}, {2, 2, 1}}},
      {dkSteveArche, 200, {{2, 0, 32}, {-3, 1, 12}, {-1, 1, 26}, {1, 1, 30}, {3, 1, 16}, {-2, 2, 12},
                           {0, 2, 26}, {2, 2, 12}, {-3, 3, 5}, {-1, 3, 12}, {1, 3, 12}, {3, 3, 5}}},
      {dkBurkes, 32, {{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}}},
  };
  return kernels;
}

// Runs an engine over a width x height picture whose red is `base`
// everywhere except `sourceRed` at the error pixel.
void Walk(TDitherEngine& engine, TProbeLookup& probe, int width, int height, int base, int sourceRed) {
  for (int y = 0; y < height; ++y) {
    for (int x = engine.Column(); x >= 0 && x < width; x = engine.Column()) {
      probe.at = {x, y};
      const int red = probe.at == probe.errorAt ? sourceRed : base;
      engine.Dither(static_cast<std::uint8_t>(red), 0, 0);
    }
    engine.NextLine();
  }
}

struct SpreadCase {
  int width;
  std::pair<int, int> errorAt;
  int sourceRed;
  std::uint8_t chosenRed;
};

class ErrorSpread : public testing::TestWithParam<std::tuple<Kernel, SpreadCase>> {};

TEST_P(ErrorSpread, ReachesExactlyTheKernelCells) {
  const auto& [kernel, c] = GetParam();
  constexpr int kHeight = 6;
  constexpr int kBase = 100;
  TProbeLookup probe;
  probe.errorAt = c.errorAt;
  probe.chosenRed = c.chosenRed;
  const auto engine = CreateDitherEngine(kernel.kind, c.width, probe);
  ASSERT_TRUE(engine);
  Walk(*engine, probe, c.width, kHeight, kBase, c.sourceRed);

  // The row of the error pixel walks right to left when it is odd, which
  // mirrors the kernel.
  const int direction = c.errorAt.second % 2 ? -1 : 1;
  const int error = c.sourceRed - c.chosenRed;
  std::map<std::pair<int, int>, int> expected;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < c.width; ++x) expected[{x, y}] = kBase;
  expected[c.errorAt] = c.sourceRed;
  for (const TKernelCell& cell : kernel.cells) {
    const std::pair<int, int> target{c.errorAt.first + cell.Dx * direction, c.errorAt.second + cell.Dy};
    if (target.first < 0 || target.first >= c.width || target.second >= kHeight) continue;
    // Division truncates toward zero, also for negative errors.
    expected[target] = std::clamp(kBase + (error * cell.Weight + kernel.divisor / 2) / kernel.divisor, 0, 255);
  }
  EXPECT_EQ(probe.wanted, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kernels, ErrorSpread,
    testing::Combine(testing::ValuesIn(Kernels()),
                     testing::Values(SpreadCase{11, {5, 0}, 250, 0},     // left to right, positive error
                                     SpreadCase{11, {5, 1}, 250, 0},     // right to left: mirrored
                                     SpreadCase{11, {4, 2}, 0, 255},     // negative error
                                     SpreadCase{11, {0, 1}, 200, 0},     // at the edge: cells fall off
                                     SpreadCase{1, {0, 0}, 200, 0},      // one pixel wide
                                     SpreadCase{2, {1, 1}, 200, 0})),
    [](const auto& info) {
      const SpreadCase& c = std::get<1>(info.param);
      return "kind" + std::to_string(std::get<0>(info.param).kind) + "_w" + std::to_string(c.width) + "_at" +
             std::to_string(c.errorAt.first) + "_" + std::to_string(c.errorAt.second) + "_src" +
             std::to_string(c.sourceRed);
    });

TEST(Dither, WantedValuesAreClampedTo0And255) {
  for (const Kernel& kernel : Kernels()) {
    // A large positive error onto 250, a large negative one onto 5.
    for (const auto& [base, sourceRed, chosenRed, limit] :
         {std::tuple{250, 255, 0, 255}, std::tuple{5, 0, 255, 0}}) {
      TProbeLookup probe;
      probe.errorAt = {3, 0};
      probe.chosenRed = static_cast<std::uint8_t>(chosenRed);
      // Several error pixels in a row would be needed for a small kernel
      // weight; the largest dy = 0 weight times 255 is well past 5.
      const auto engine = CreateDitherEngine(kernel.kind, 8, probe);
      Walk(*engine, probe, 8, 2, base, sourceRed);
      const TKernelCell& ahead = kernel.cells.front();
      EXPECT_EQ((probe.wanted[{3 + ahead.Dx, 0}]), limit) << "kind " << kernel.kind;
    }
  }
}

TEST(Dither, RowsAreWalkedSerpentine) {
  for (int kind = 0; kind <= 6; ++kind) {
    TProbeLookup probe;
    probe.errorAt = {-1, -1};
    const auto engine = CreateDitherEngine(static_cast<TDitherKind>(kind), 3, probe);
    Walk(*engine, probe, 3, 3, 10, 10);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {1, 1},
                                                       {0, 1}, {0, 2}, {1, 2}, {2, 2}};
    EXPECT_EQ(probe.visits, expected) << "kind " << kind;
  }
}

class UniformPaletteColour : public testing::TestWithParam<int> {};

TEST_P(UniformPaletteColour, GivesOneIndexEverywhere) {
  TBitmap bitmap(13, 7, 24);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) {
      bitmap.Row(y)[3 * x] = 153;      // blue level 3
      bitmap.Row(y)[3 * x + 1] = 102;  // green level 2
      bitmap.Row(y)[3 * x + 2] = 51;   // red level 1
    }
  const TBitmap result = ReduceColors(bitmap, rdWebCube, static_cast<TDitherKind>(GetParam()), 8);
  ASSERT_FALSE(result.Empty());
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(result.Row(y)[x], 36 + 12 + 3) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Kinds, UniformPaletteColour, testing::Range(0, 7));

TEST(Dither, DiffusionKeepsTheAverageOfAGrayRamp) {
  // A mid gray between two palette grays comes out as a mix of both.
  for (int kind = 1; kind <= 6; ++kind) {
    TBitmap bitmap(64, 64, 24);
    std::fill(bitmap.Bits().begin(), bitmap.Bits().end(), 64);
    const TBitmap result = ReduceColors(bitmap, rdMonochrome, static_cast<TDitherKind>(kind), 8);
    int white = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) white += result.Row(y)[x];
    EXPECT_NEAR(white / (64.0 * 64.0), 64.0 / 255.0, 0.03) << "kind " << kind;
  }
}

}  // namespace
