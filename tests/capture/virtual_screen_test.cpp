#include "capture/virtual_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each pixel of a width x height image: 1 where one of `rects` covers it,
// 2 or more where rectangles overlap.
std::vector<int> Coverage(const std::vector<TRect>& rects, int width, int height) {
  std::vector<int> cover(static_cast<std::size_t>(width * height), 0);
  for (const TRect& r : rects) {
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) {
        if (x >= 0 && y >= 0 && x < width && y < height) ++cover[static_cast<std::size_t>(y * width + x)];
      }
    }
  }
  return cover;
}

struct TLayoutCase {
  const char* Name;
  TRect Bounds;                 // the virtual screen, as the system gives it
  std::vector<TRect> Monitors;  // screen coordinates
  TRect Area;                   // what is captured, screen coordinates
  std::vector<TRect> Black;     // what no monitor shows, in the captured image
};

class Layouts : public testing::TestWithParam<TLayoutCase> {};

TEST_P(Layouts, CaptureShowsTheMonitorsAndBlackElsewhere) {
  const TLayoutCase& c = GetParam();
  const std::vector<TRect> parts = TVirtualScreen(c.Bounds, c.Monitors).UncoveredParts(c.Area);
  EXPECT_EQ(Coverage(parts, c.Area.Width(), c.Area.Height()), Coverage(c.Black, c.Area.Width(), c.Area.Height()));
  for (const TRect& part : parts) {
    EXPECT_TRUE(part.Left >= 0 && part.Top >= 0 && part.Right <= c.Area.Width() && part.Bottom <= c.Area.Height());
  }
}

// Primary 800 x 600 at (0, 0) throughout.
constexpr TRect kPrimary{0, 0, 800, 600};

INSTANTIATE_TEST_SUITE_P(
    Table, Layouts,
    testing::Values(
        TLayoutCase{"OneMonitor", kPrimary, {kPrimary}, kPrimary, {}},
        TLayoutCase{"SecondRightShorter",
                    {0, 0, 1500, 600},
                    {kPrimary, {800, 0, 1500, 500}},
                    {0, 0, 1500, 600},
                    {{800, 500, 1500, 600}}},
        // Left of the primary and lower: the image starts at x -700.
        TLayoutCase{"SecondLeftLower",
                    {-700, 0, 800, 700},
                    {kPrimary, {-700, 200, 0, 700}},
                    {-700, 0, 800, 700},
                    {{0, 0, 700, 200}, {700, 600, 1500, 700}}},
        TLayoutCase{"SecondAboveNarrower",
                    {0, -500, 800, 600},
                    {kPrimary, {100, -500, 800, 0}},
                    {0, -500, 800, 600},
                    {{0, 0, 100, 500}}},
        TLayoutCase{"GapBetweenThem",
                    {0, 0, 1600, 600},
                    {kPrimary, {900, 0, 1600, 600}},
                    {0, 0, 1600, 600},
                    {{800, 0, 900, 600}}},
        // A window across the gap and past the bottom of the virtual screen.
        TLayoutCase{"WindowAcrossTheGap",
                    {0, 0, 1600, 600},
                    {kPrimary, {900, 0, 1600, 600}},
                    {700, 500, 1000, 650},
                    {{100, 0, 200, 100}, {0, 100, 300, 150}}},
        TLayoutCase{"NoMonitorNamed", kPrimary, {}, {-10, 0, 800, 600}, {{0, 0, 10, 600}}}),
    [](const testing::TestParamInfo<TLayoutCase>& info) { return std::string(info.param.Name); });

}  // namespace
