#include "app/main_win_faces.h"

#include <gtest/gtest.h>

namespace {

struct TFaceCase {
  int Mode, WhatToCap, Shape, Action;
  bool CaptureFace;
  const char* Caption;
  TFaceRadio Checked;
  int ShapeIndex;
};

class FaceTable : public ::testing::TestWithParam<TFaceCase> {};

TEST_P(FaceTable, ShowsTheRightButtonAndCaption) {
  const TFaceCase& c = GetParam();
  auto face = FaceFor(c.Mode, c.WhatToCap, c.Shape, c.Action);
  ASSERT_TRUE(face.has_value());
  EXPECT_EQ(face->CaptureFace, c.CaptureFace);
  EXPECT_EQ(face->DoItCaption, c.Caption);
  EXPECT_EQ(face->Checked, c.Checked);
  if (c.CaptureFace) {
    EXPECT_EQ(face->ShapeIndex, c.ShapeIndex);
  }
}

using R = TFaceRadio;
INSTANTIATE_TEST_SUITE_P(Modes, FaceTable,
                         ::testing::Values(TFaceCase{1, 0, 0, 0, true, "&Capture", R::CapScreen, -1},
                                           TFaceCase{1, 2, 7, 0, true, "&Capture", R::CapClient, 4},
                                           TFaceCase{1, 3, 19, 0, true, "&Capture", R::CapArea, 16},
                                           // Any other value checks the shape button; "Shape" 0 selects no shape.
                                           TFaceCase{1, 4, 0, 0, true, "&Capture", R::CapShape, -1},
                                           TFaceCase{1, 9, 3, 0, true, "&Capture", R::CapShape, 0},
                                           TFaceCase{1, -1, 20, 0, true, "&Capture", R::CapShape, -1},
                                           TFaceCase{2, 0, 0, 3, false, "&Print", R::PrintPixel, -1},
                                           TFaceCase{2, 0, 0, 4, false, "&Print", R::PrintFilled, -1},
                                           TFaceCase{2, 0, 0, 0, false, "&Print", R::PrintFilled, -1},
                                           TFaceCase{3, 0, 0, 1, false, "&Save", R::SaveGIF, -1},
                                           TFaceCase{3, 0, 0, 2, false, "&Save", R::SaveJPEG, -1},
                                           // Outside the known actions nothing is checked.
                                           TFaceCase{3, 0, 0, 7, false, "&Save", R::None, -1},
                                           TFaceCase{4, 0, 0, 0, false, "Co&py", R::CopyClip, -1},
                                           TFaceCase{5, 0, 0, 0, false, "&EMail It", R::EMailIt, -1}));

TEST(FaceTable, OtherModesChangeNothing) {
  for (int mode : {0, 6, -1, 100}) EXPECT_FALSE(FaceFor(mode, 0, 0, 0).has_value()) << mode;
}

TEST(FinishFace, FollowsTheAction) {
  const TScreenMode expected[] = {smSave, smSave, smSave, smPrint, smPrint, smCopy, smEMail};
  for (int action = 0; action < 7; ++action) EXPECT_EQ(FinishFaceFor(action), expected[action]) << action;
  EXPECT_EQ(FinishFaceFor(7), smSave);
  EXPECT_EQ(FinishFaceFor(-3), smSave);
}

TEST(CaptureKind, ComesFromTheCheckedButton) {
  EXPECT_EQ(CaptureKindFor(R::CapScreen, 5, 9), 0);
  EXPECT_EQ(CaptureKindFor(R::CapWindow, 5, 9), 1);
  EXPECT_EQ(CaptureKindFor(R::CapClient, 5, 9), 2);
  EXPECT_EQ(CaptureKindFor(R::CapArea, 5, 9), 3);
  EXPECT_EQ(CaptureKindFor(R::CapShape, 5, 9), 8);
  EXPECT_EQ(CaptureKindFor(R::CapShape, 16, 9), 19);
  EXPECT_EQ(CaptureKindFor(R::CapShape, -1, 9), 3);
  EXPECT_EQ(CaptureKindFor(R::None, 5, 9), 9);
  EXPECT_DOUBLE_EQ(PauseSecondsFor(2), 0.3);
  EXPECT_DOUBLE_EQ(PauseSecondsFor(3), 0.2);
}

}  // namespace
