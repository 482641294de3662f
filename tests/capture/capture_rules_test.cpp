#include <gtest/gtest.h>

#include "capture/pause_rule.h"
#include "capture/thumb_scale.h"

namespace {

struct TPauseCase {
  TTimeOfDay Start;
  double Seconds;
  TTimeOfDay Now;
  bool Over;
};

class PauseDeadline : public ::testing::TestWithParam<TPauseCase> {};

TEST_P(PauseDeadline, EndsAfterItsLength) {
  const TPauseCase& c = GetParam();
  EXPECT_EQ(TPauseDeadline(c.Start, c.Seconds).Over(c.Now), c.Over);
}

INSTANTIATE_TEST_SUITE_P(Times, PauseDeadline,
                         ::testing::Values(TPauseCase{{12, 0, 0, 0}, 0.3, {12, 0, 0, 300}, false},
                                           TPauseCase{{12, 0, 0, 0}, 0.3, {12, 0, 0, 301}, true},
                                           TPauseCase{{9, 59, 59, 900}, 0.2, {10, 0, 0, 101}, true},
                                           // Across midnight the pause ends shortly after 00:00:00.100,
                                           // not a day later.
                                           TPauseCase{{23, 59, 59, 900}, 0.2, {23, 59, 59, 999}, false},
                                           TPauseCase{{23, 59, 59, 900}, 0.2, {0, 0, 0, 50}, false},
                                           TPauseCase{{23, 59, 59, 900}, 0.2, {0, 0, 0, 101}, true}));

struct TThumbCase {
  TThumbSize Box;
  int Width, Height, ThumbWidth, ThumbHeight;
};

class ThumbScale : public ::testing::TestWithParam<TThumbCase> {};

TEST_P(ThumbScale, FitsWithoutEnlarging) {
  const TThumbCase& c = GetParam();
  TThumbSize size = ThumbSizeFor(c.Box, c.Width, c.Height);
  EXPECT_EQ(size.Width, c.ThumbWidth);
  EXPECT_EQ(size.Height, c.ThumbHeight);
}

constexpr TThumbSize kBox{kThumbWidth, kThumbHeight};
// The box at 144 DPI: 133 x 125 scaled by 1.5.
constexpr TThumbSize kBox144{200, 188};

INSTANTIATE_TEST_SUITE_P(Sizes, ThumbScale,
                         ::testing::Values(TThumbCase{kBox, 1024, 768, 133, 99}, TThumbCase{kBox, 100, 50, 100, 50},
                                           TThumbCase{kBox, 133, 125, 133, 125}, TThumbCase{kBox, 300, 1250, 30, 125},
                                           TThumbCase{kBox, 3840, 2160, 133, 74}, TThumbCase{kBox, 0, 50, 0, 0},
                                           TThumbCase{kBox, 50, 0, 0, 0}, TThumbCase{kBox144, 1024, 768, 200, 150},
                                           TThumbCase{kBox144, 300, 1250, 45, 188}));

}  // namespace
