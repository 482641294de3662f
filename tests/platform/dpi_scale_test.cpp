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

// Positions (the main window's place, a panel left of its parent's edge),
// sizes (client area, thumbnail box) and font heights; halves round away
// from zero; an unknown DPI (a failed query) leaves the design as it is.
INSTANTIATE_TEST_SUITE_P(Values, DpiScale,
                         ::testing::Values(TScaleCase{362, 96, 362}, TScaleCase{362, 120, 453},
                                           TScaleCase{362, 144, 543}, TScaleCase{362, 192, 724},
                                           TScaleCase{-4, 144, -6}, TScaleCase{-1, 144, -2}, TScaleCase{155, 144, 233},
                                           TScaleCase{13, 144, 20}, TScaleCase{30000000, 192, 60000000},
                                           TScaleCase{362, 0, 362}));

}  // namespace
