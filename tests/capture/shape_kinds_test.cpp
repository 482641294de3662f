#include "capture/shape_kinds.h"

#include <gtest/gtest.h>

namespace {

// The shapes as the product documents them.
struct TShapeCase {
  TShapeKind Kind;
  std::int32_t Number;
  const char* Name;
  bool Square;
  TShapeSettingsFamily Family;
  const char* Prefix;
};

using enum TShapeSettingsFamily;

class ShapeKinds : public ::testing::TestWithParam<TShapeCase> {};

TEST_P(ShapeKinds, HaveTheirNumberNameSquareAndSettings) {
  const TShapeCase& c = GetParam();
  EXPECT_EQ(static_cast<std::int32_t>(c.Kind), c.Number);
  EXPECT_EQ(ShapeNames.at(static_cast<std::size_t>(c.Number - 3)), c.Name);
  EXPECT_EQ(CaptureKindNames.at(static_cast<std::size_t>(c.Number)), c.Name);
  EXPECT_EQ(IsSquareShape(c.Kind), c.Square);
  const TShapeSettingsEntry entry = ShapeSettingsEntry(c.Kind);
  EXPECT_EQ(entry.Family, c.Family);
  EXPECT_EQ(entry.Prefix, c.Prefix);
  if (c.Family == Plain) {
    EXPECT_EQ(kPlainShapePrefixes.at(entry.Index), c.Prefix);
  } else if (c.Family == Polygon) {
    EXPECT_EQ(kPolygonPrefixes.at(entry.Index), c.Prefix);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ShapeKinds,
                         ::testing::Values(TShapeCase{skRectangle, 3, "Rectangle", false, None, ""},
                                           TShapeCase{skRoundedRectangle, 4, "Rounded Rectangle", false, Plain,
                                                      "RoundRect"},
                                           TShapeCase{skSquare, 5, "Square", true, None, ""},
                                           TShapeCase{skRoundedSquare, 6, "Rounded Square", true, Plain, "RoundSquare"},
                                           TShapeCase{skEllipse, 7, "Ellipse", false, Plain, "Ellipse"},
                                           TShapeCase{skCircle, 8, "Circle", true, Plain, "Circle"},
                                           TShapeCase{skTriangleUp, 9, "Triangle Up", false, Plain, "TriUp"},
                                           TShapeCase{skTriangleDown, 10, "Triangle Down", false, Plain, "TriDown"},
                                           TShapeCase{skTriangleLeft, 11, "Triangle Left", false, Plain, "TriLeft"},
                                           TShapeCase{skTriangleRight, 12, "Triangle Right", false, Plain, "TriRight"},
                                           TShapeCase{skDiamond, 13, "Diamond", false, Plain, "Diamond"},
                                           TShapeCase{skStar, 14, "Star", true, Star, "Star"},
                                           TShapeCase{skPolygon1, 15, "Polygon 1", true, Polygon, "Poly1"},
                                           TShapeCase{skPolygon2, 16, "Polygon 2", true, Polygon, "Poly2"},
                                           TShapeCase{skPolygon3, 17, "Polygon 3", true, Polygon, "Poly3"},
                                           TShapeCase{skPolygon4, 18, "Polygon 4", true, Polygon, "Poly4"},
                                           TShapeCase{skPolygon5, 19, "Polygon 5", true, Polygon, "Poly5"}));

TEST(ShapeKinds, CaptureKindsBeforeTheShapes) {
  EXPECT_EQ(CaptureKindNames[0], "Screen");
  EXPECT_EQ(CaptureKindNames[1], "Window");
  EXPECT_EQ(CaptureKindNames[2], "Client Window");
  for (std::string_view name : CaptureKindNames) EXPECT_LE(name.size(), 20u);
}

TEST(ShapeKinds, NumbersOutsideTheShapesHaveNoEntry) {
  for (std::int32_t value : {0, 2, 20, -1}) {
    EXPECT_FALSE(IsShapeKind(value));
    const auto kind = static_cast<TShapeKind>(value);
    EXPECT_FALSE(IsSquareShape(kind));
    EXPECT_EQ(ShapeSettingsEntry(kind).Family, None);
  }
}

}  // namespace
