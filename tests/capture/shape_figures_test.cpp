#include "capture/shape_figures.h"

#include <gtest/gtest.h>

namespace {

using enum TFigureKind;

const std::vector<TPoint> kStarPointUp = {{50, 0},  {63, 32}, {98, 35}, {71, 57}, {79, 90},
                                          {50, 72}, {21, 90}, {29, 57}, {2, 35},  {37, 32}};

std::vector<TPoint> Shifted(std::vector<TPoint> points, std::int32_t dx, std::int32_t dy) {
  for (TPoint& p : points) p = {p.X + dx, p.Y + dy};
  return points;
}

struct TSelectionFigureCase {
  const char* Name;
  TShapeKind Kind;
  TShapeStyle Style;
  TRect Selection;
  TFigure Expected;
};

class SelectionFigures : public testing::TestWithParam<TSelectionFigureCase> {};

TEST_P(SelectionFigures, DrawTheKindsFigure) {
  const TSelectionFigureCase& c = GetParam();
  EXPECT_EQ(SelectionFigure(c.Kind, c.Style, c.Selection), c.Expected);
}

const TShapeStyle kStar{true, 0, false, 0, 10, 56, 90};

INSTANTIATE_TEST_SUITE_P(
    Table, SelectionFigures,
    testing::Values(
        TSelectionFigureCase{"Rectangle", skRectangle, {}, {10, 10, 19, 14}, {Rectangle, {10, 10, 19, 14}}},
        TSelectionFigureCase{"RoundedRectangleCornerQuarterOfSmallerSide",
                             skRoundedRectangle,
                             {},
                             {0, 0, 200, 80},
                             {RoundRect, {0, 0, 200, 80}, 20}},
        TSelectionFigureCase{"SquareCentredInWide", skSquare, {}, {0, 0, 200, 80}, {Rectangle, {60, 0, 140, 80}}},
        TSelectionFigureCase{"SquareCentredInTallOddRest", skSquare, {}, {5, 5, 12, 20}, {Rectangle, {5, 9, 12, 16}}},
        TSelectionFigureCase{"RoundedSquare", skRoundedSquare, {}, {0, 0, 80, 200}, {RoundRect, {0, 60, 80, 140}, 20}},
        TSelectionFigureCase{"Ellipse", skEllipse, {}, {3, 4, 30, 40}, {Ellipse, {3, 4, 30, 40}}},
        TSelectionFigureCase{"CircleOverWideDrag", skCircle, {}, {0, 0, 200, 80}, {Ellipse, {60, 0, 140, 80}}},
        TSelectionFigureCase{"TriangleUp", skTriangleUp, {}, {0, 0, 9, 5}, {Polygon, {}, 0, {{4, 0}, {0, 5}, {9, 5}}}},
        TSelectionFigureCase{
            "TriangleDown", skTriangleDown, {}, {10, 0, 19, 5}, {Polygon, {}, 0, {{10, 0}, {14, 5}, {19, 0}}}},
        TSelectionFigureCase{
            "TriangleLeft", skTriangleLeft, {}, {0, 10, 9, 15}, {Polygon, {}, 0, {{9, 10}, {9, 15}, {0, 12}}}},
        TSelectionFigureCase{
            "TriangleRight", skTriangleRight, {}, {0, 0, 9, 5}, {Polygon, {}, 0, {{0, 0}, {9, 2}, {0, 5}}}},
        TSelectionFigureCase{
            "Diamond", skDiamond, {}, {0, 0, 9, 5}, {Polygon, {}, 0, {{4, 0}, {9, 2}, {4, 5}, {0, 2}}}},
        TSelectionFigureCase{"StarOnItsSquare", skStar, kStar, {0, 0, 100, 100}, {Polygon, {}, 0, kStarPointUp}},
        TSelectionFigureCase{"StarOnTheCentredSquareOfAWideDrag",
                             skStar,
                             kStar,
                             {0, 0, 200, 100},
                             {Polygon, {}, 0, Shifted(kStarPointUp, 50, 0)}},
        // The square of a 200 x 81 drag starts at 59: its centre is 99, not the drag's 100.
        TSelectionFigureCase{"PolygonOnTheCentredSquare",
                             skPolygon3,
                             {true, 0, false, 0, 4, 0, 0},
                             {0, 0, 200, 81},
                             {Polygon, {}, 0, {{139, 40}, {99, 80}, {59, 40}, {99, 0}}}},
        TSelectionFigureCase{"PolygonWithTwoVectors",
                             skPolygon1,
                             {true, 0, false, 0, 2, 0, 90},
                             {0, 0, 100, 100},
                             {Polygon, {}, 0, {{50, 0}, {50, 100}}}}),
    [](const testing::TestParamInfo<TSelectionFigureCase>& info) { return std::string(info.param.Name); });

TEST(MyShapeTypeFor, MapsEveryCaptureKind) {
  const TMyShapeType expected[] = {
      shRectangle, shRectangle, shRectangle,  shRectangle,    shRoundRect,    shSquare,        shRoundSquare,
      shEllipse,   shCircle,    shTriangleUp, shTriangleDown, shTriangleLeft, shTriangleRight, shDiamond,
      shStar,      shPolyGon,   shPolyGon,    shPolyGon,      shPolyGon,      shPolyGon,
  };
  for (std::int32_t kind = 0; kind < 20; ++kind) EXPECT_EQ(MyShapeTypeFor(kind), expected[kind]) << kind;
  EXPECT_EQ(MyShapeTypeFor(20), shNone);
  EXPECT_EQ(MyShapeTypeFor(-1), shNone);
}

struct TImageFigureCase {
  const char* Name;
  TMyShapeType Shape;
  std::int32_t Width, Height, Edge, PenWidth;
  TFigure Expected;
};

class ShapeImageFigures : public testing::TestWithParam<TImageFigureCase> {};

TEST_P(ShapeImageFigures, FollowThePenWidthAndEdge) {
  const TImageFigureCase& c = GetParam();
  EXPECT_EQ(ShapeImageFigure(c.Shape, c.Width, c.Height, c.Edge, c.PenWidth, {10, 56, 90}), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShapeImageFigures,
    testing::Values(
        TImageFigureCase{"RectangleWithEdge", shRectangle, 50, 40, 3, 1, {Rectangle, {3, 3, 47, 37}}},
        TImageFigureCase{"ZeroWidthPenTakesTheFullSize", shRectangle, 50, 40, 0, 0, {Rectangle, {0, 0, 50, 40}}},
        TImageFigureCase{"WidePenMovesTheFigureIn", shRectangle, 50, 40, 0, 3, {Rectangle, {1, 1, 49, 39}}},
        TImageFigureCase{"SquareCentred", shSquare, 200, 80, 0, 1, {Rectangle, {60, 0, 140, 80}}},
        TImageFigureCase{"SquareCentredWithWidePen", shSquare, 80, 200, 0, 3, {Rectangle, {1, 61, 79, 139}}},
        TImageFigureCase{"RoundSquareWithEdge", shRoundSquare, 200, 80, 4, 1, {RoundRect, {64, 4, 136, 76}, 20}},
        TImageFigureCase{"Circle", shCircle, 200, 100, 0, 1, {Ellipse, {50, 0, 150, 100}}},
        TImageFigureCase{
            "TriangleUpWithEdge", shTriangleUp, 20, 10, 2, 1, {Polygon, {}, 0, {{10, 2}, {2, 8}, {18, 8}}}},
        TImageFigureCase{"DiamondOdd", shDiamond, 9, 5, 0, 1, {Polygon, {}, 0, {{4, 0}, {9, 2}, {4, 5}, {0, 2}}}},
        TImageFigureCase{"Star", shStar, 100, 100, 0, 1, {Polygon, {}, 0, kStarPointUp}},
        TImageFigureCase{"PolygonWithEdgeShrinksTheBox",
                         shPolyGon,
                         120,
                         120,
                         10,
                         1,
                         {Polygon, {}, 0, Shifted(kStarPointUp, 10, 10)}}),
    [](const testing::TestParamInfo<TImageFigureCase>& info) { return std::string(info.param.Name); });

}  // namespace
