#include "platform/dpi_scale.h"

#include <gtest/gtest.h>

namespace {

struct TScaleCase {
  int Value, Dpi, Scaled;
};

class DpiScale : public ::testing::TestWithParam<TScaleCase> {};

TEST_P(DpiScale, RoundsAsMulDiv) {
  const TScaleCase& c = GetParam();
  EXPECT_EQ(ScaleToDpi(c.Value, c.Dpi), c.Scaled) << c.Value << " at " << c.Dpi << " DPI";
}

INSTANTIATE_TEST_SUITE_P(
    Values, DpiScale,
    ::testing::Values(
        // 96 DPI: every value as designed.
        TScaleCase{362, 96, 362}, TScaleCase{-4, 96, -4}, TScaleCase{0, 96, 0}, TScaleCase{13, 96, 13},
        // Positions: the main window's place, a panel left of its parent's edge.
        TScaleCase{362, 120, 453}, TScaleCase{362, 144, 543}, TScaleCase{362, 192, 724}, TScaleCase{-4, 120, -5},
        TScaleCase{-4, 144, -6}, TScaleCase{-4, 192, -8},
        // Sizes: the client area, the thumbnail box (halves round up).
        TScaleCase{480, 144, 720}, TScaleCase{155, 144, 233}, TScaleCase{155, 120, 194}, TScaleCase{133, 144, 200},
        TScaleCase{125, 144, 188}, TScaleCase{17, 120, 21}, TScaleCase{25, 192, 50},
        // Font heights.
        TScaleCase{13, 120, 16}, TScaleCase{13, 144, 20}, TScaleCase{13, 192, 26}, TScaleCase{11, 120, 14},
        TScaleCase{11, 144, 17}, TScaleCase{12, 144, 18},
        // A negative half rounds away from zero, like a positive one.
        TScaleCase{-1, 144, -2}, TScaleCase{1, 144, 2},
        // No overflow where the product leaves int's range.
        TScaleCase{30000000, 192, 60000000},
        // An unknown DPI (a failed query) leaves the design as it is.
        TScaleCase{362, 0, 362}, TScaleCase{362, -1, 362}));

}  // namespace
