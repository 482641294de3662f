#include "capture/selection_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum TEvent { Wait, Press, Drag, Toggle };

struct TStep {
  TEvent Event;
  TPoint Point;
};

struct TDragCase {
  const char* Name;
  TShapeKind Kind;
  TPoint Start;  // the cursor when the waiting began
  std::vector<TStep> Steps;
  TRect SelRect;  // after the steps
  TPoint Anchor;
  TPoint Release;
  TRect Final;
};

class SelectionDrags : public testing::TestWithParam<TDragCase> {};

TEST_P(SelectionDrags, EndOnTheCaptureRectangle) {
  const TDragCase& c = GetParam();
  TSelection s = TSelection::WaitingAt(c.Start);
  for (const TStep& step : c.Steps) {
    switch (step.Event) {
      case Wait:
        s.WaitMove(step.Point);
        break;
      case Press:
        s.Press(step.Point);
        break;
      case Drag:
        s.Drag(step.Point);
        break;
      case Toggle:
        s.ToggleMoveMode();
        break;
    }
  }
  EXPECT_EQ(s.SelRect, c.SelRect);
  EXPECT_EQ(s.AnchorPoint, c.Anchor);
  EXPECT_EQ(s.Release(c.Release, c.Kind), c.Final);
  EXPECT_EQ(s.MousePoint, c.Release);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SelectionDrags,
    testing::Values(
        TDragCase{"AcrossTheAnchorDownLeft",
                  skRectangle,
                  {0, 0},
                  {{Press, {100, 100}}, {Drag, {120, 90}}, {Drag, {40, 160}}},
                  {40, 100, 100, 160},
                  {100, 100},
                  {40, 160},
                  {40, 100, 100, 160}},
        TDragCase{"CircleSquaredInTheMiddle",
                  skCircle,
                  {0, 0},
                  {{Press, {0, 0}}, {Drag, {200, 80}}},
                  {0, 0, 200, 80},
                  {0, 0},
                  {200, 80},
                  {60, 0, 140, 80}},
        TDragCase{"StarSquaredOddRest",
                  skStar,
                  {0, 0},
                  {{Press, {10, 10}}, {Drag, {13, 30}}},
                  {10, 10, 13, 30},
                  {10, 10},
                  {13, 31},
                  {10, 19, 13, 22}},
        TDragCase{"ClickWithoutDragIsEmpty",
                  skPolygon5,
                  {5, 5},
                  {{Press, {5, 5}}},
                  {5, 5, 5, 5},
                  {5, 5},
                  {5, 5},
                  {5, 5, 5, 5}},
        // The waiting phase carries the anchor, but the press puts it anew.
        TDragCase{"WaitingMovesThenPress",
                  skRoundedRectangle,
                  {10, 10},
                  {{Wait, {30, 15}}, {Wait, {35, 20}}, {Press, {35, 20}}, {Drag, {45, 50}}},
                  {35, 20, 45, 50},
                  {35, 20},
                  {45, 50},
                  {35, 20, 45, 50}},
        TDragCase{"MoveModeKeepsTheSize",
                  skRectangle,
                  {100, 100},
                  {{Press, {100, 100}}, {Drag, {150, 130}}, {Toggle, {}}, {Drag, {400, 30}}, {Drag, {-20, 900}}},
                  {-70, 870, -20, 900},
                  {-70, 870},
                  {-20, 900},
                  {-70, 870, -20, 900}},
        TDragCase{"BackToStretchFromTheMovedAnchor",
                  skRectangle,
                  {0, 0},
                  {{Press, {0, 0}}, {Drag, {50, 30}}, {Toggle, {}}, {Drag, {60, 40}}, {Toggle, {}}, {Drag, {0, 0}}},
                  {0, 0, 10, 10},
                  {10, 10},
                  {5, 5},
                  {5, 5, 10, 10}},
        // A right click before the press: the drag moves an empty selection,
        // measuring its first step from the last waiting report.
        TDragCase{"ToggleBeforeThePressMovesAnEmptySelection",
                  skRectangle,
                  {20, 20},
                  {{Toggle, {}}, {Wait, {25, 20}}, {Press, {30, 30}}, {Drag, {35, 22}}},
                  {40, 32, 40, 32},
                  {40, 32},
                  {35, 22},
                  {35, 22, 40, 32}}),
    [](const testing::TestParamInfo<TDragCase>& info) { return std::string(info.param.Name); });

struct TBannerCase {
  const char* Name;
  TShapeKind Kind;
  TRect Selection;
  TBannerNumbers Numbers;
};

class SizeBanner : public testing::TestWithParam<TBannerCase> {};

TEST_P(SizeBanner, ShowsTheKindsNumbers) {
  const TBannerCase& c = GetParam();
  EXPECT_EQ(SizeBannerNumbers(c.Kind, c.Selection), c.Numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SizeBanner,
    testing::Values(TBannerCase{"RectangleCountsBothEdges", skRectangle, {10, 10, 19, 14}, {10, 5}},
                    TBannerCase{"RoundedRectangle", skRoundedRectangle, {10, 10, 19, 14}, {9, 4}},
                    TBannerCase{"EllipseCountsBothEdges", skEllipse, {10, 10, 19, 14}, {10, 5}},
                    TBannerCase{"CircleShowsItsSquare", skCircle, {0, 0, 200, 80}, {80, 80}},
                    TBannerCase{"Triangle", skTriangleLeft, {0, 0, 30, 90}, {30, 90}},
                    TBannerCase{"Polygon", skPolygon2, {3, 3, 40, 17}, {14, 14}}),
    [](const testing::TestParamInfo<TBannerCase>& info) { return std::string(info.param.Name); });

TEST(SizeBannerText, NamesTheNumbersAndTheToggle) {
  EXPECT_EQ(SizeBannerText({80, 80}), "Size: 80 x 80   Right click to toggle between stretch and move");
  EXPECT_EQ(SizeBannerText({-5, 0}), "Size: -5 x 0   Right click to toggle between stretch and move");
}

TEST(SizeBannerText, LongestFitsTheHundredCharacterBanner) {
  const std::string text = SizeBannerText({-2147483647 - 1, -2147483647 - 1});
  EXPECT_EQ(text, "Size: -2147483648 x -2147483648   Right click to toggle between stretch and move");
  EXPECT_LE(text.size(), 100u);
}

TEST(BannerPlaces, WaitingRightAndBelowTheCursorSizeCentredUnder) {
  EXPECT_EQ(WaitingBannerPlace({300, 200, 300, 200}), (TPoint{320, 205}));
  EXPECT_EQ(SizeBannerPlace({100, 50, 110, 60}, 11, 300), (TPoint{-44, 65}));
  EXPECT_EQ(SizeBannerPlace({0, 0, 500, 60}, 501, 300), (TPoint{100, 65}));
}

}  // namespace
