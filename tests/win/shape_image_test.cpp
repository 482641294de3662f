#include "capture/win/shape_image.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bitmap_pixels.h"
#include "recorder_window.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class ShapeImageTest : public testing::Test {
 protected:
  TPixels Picture() const { return ReadBitmap(image_.Picture(), 120, 80); }
  // Covers the picture with green, so that a repaint shows.
  void Smudge() {
    win::TWindowDC screen(nullptr);
    win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
    win::TSelectObject selection(dc.Get(), image_.Picture());
    win::TBrush green(CreateSolidBrush(kGreen));
    const RECT all{0, 0, 120, 80};
    FillRect(dc.Get(), &all, green.Get());
  }
  bool Repainted() const { return Picture().At(60, 40) != kGreen; }

  TRecorderWindow parent_;
  TShapeImage image_{parent_.Handle(), {10, 10, 120, 80}};
};

TEST_F(ShapeImageTest, StartsAsAnEmptyBlackPictureOfItsSize) {
  EXPECT_EQ(image_.Properties().Shape(), shNone);
  BITMAP info{};
  GetObjectW(image_.Picture(), sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 120);
  EXPECT_EQ(info.bmHeight, 80);
  for (COLORREF c : Picture().Values) ASSERT_EQ(c, kBlack);
}

struct TSetterCase {
  const char* Name;
  std::function<void(TShapeImage&)> Set;
  bool Repaints;
};

class ShapeImageSetters : public ShapeImageTest, public testing::WithParamInterface<TSetterCase> {};

TEST_P(ShapeImageSetters, RepaintOnlyWhenTheyStore) {
  Smudge();
  GetParam().Set(image_);
  EXPECT_EQ(Repainted(), GetParam().Repaints);
}

INSTANTIATE_TEST_SUITE_P(Table, ShapeImageSetters,
                         // Which values are stored is the native table's business; here a stored
                         // value repaints and an ignored one does not.
                         testing::Values(TSetterCase{"SameShape", [](TShapeImage& i) { i.SetShape(shNone); }, true},
                                         TSetterCase{"VectorsTwo", [](TShapeImage& i) { i.SetVectors(2); }, false},
                                         TSetterCase{"BColorRed", [](TShapeImage& i) { i.SetBColor(kRed); }, true},
                                         TSetterCase{"UseFillWaitsForTheNextRepaint",
                                                     [](TShapeImage& i) { i.SetUseFill(true); }, false}),
                         [](const testing::TestParamInfo<TSetterCase>& info) { return std::string(info.param.Name); });

TEST_F(ShapeImageTest, RectangleIsWhiteWithAnOutlineOnTheBackground) {
  image_.SetBColor(kRed);
  image_.SetPColor(kGreen);
  image_.SetEdgeSize(10);
  image_.SetShape(shRectangle);
  const TPixels p = Picture();
  EXPECT_EQ(p.At(5, 5), kRed);
  EXPECT_EQ(p.At(10, 10), kGreen);
  EXPECT_EQ(p.At(109, 69), kGreen);
  EXPECT_EQ(p.At(110, 70), kRed);
  EXPECT_EQ(p.At(11, 11), kWhite);
  EXPECT_EQ(p.At(108, 68), kWhite);
}

TEST_F(ShapeImageTest, CircleOnTheCentredSquare) {
  image_.SetBColor(kRed);
  image_.SetShape(shCircle);
  const TPixels p = Picture();
  EXPECT_EQ(p.At(60, 40), kWhite);
  EXPECT_EQ(p.At(60, 0), kBlack);  // the outline's top, on the square (20, 0, 100, 80)
  EXPECT_EQ(p.At(20, 40), kBlack);
  EXPECT_EQ(p.At(18, 40), kRed);
  EXPECT_EQ(p.At(101, 40), kRed);
}

TEST_F(ShapeImageTest, DottedOutlineIsBlackWhateverThePenColour) {
  image_.SetBColor(kWhite);
  image_.SetPColor(kRed);
  image_.SetPStyle(psDot);
  image_.SetShape(shRectangle);
  const TPixels p = Picture();
  int black = 0;
  for (int x = 0; x < 120; ++x) {
    EXPECT_NE(p.At(x, 0), kRed);
    black += p.At(x, 0) == kBlack;
  }
  EXPECT_GT(black, 20);
  EXPECT_LT(black, 100);
}

TEST_F(ShapeImageTest, StarWithSixVectorsIsPaintedWithTen) {
  image_.SetVectors(6);
  image_.SetVectorP(0);
  image_.SetAngle(45);
  image_.SetShape(shStar);
  const TPixels star = Picture();
  image_.SetShape(shPolyGon);  // the same settings, as a polygon
  EXPECT_EQ(Picture().Values, star.Values);
  EXPECT_EQ(star.At(60, 2), kWhite);  // the point straight up, r = 40 around (60, 40)
}

}  // namespace
