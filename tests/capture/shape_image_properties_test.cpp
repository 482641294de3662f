#include "capture/shape_image_properties.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TSetterCase {
  const char* Name;
  std::function<bool(TShapeImageProperties&)> Set;
  bool Stores;
  std::function<std::int32_t(const TShapeImageProperties&)> Read;
  std::int32_t After;
};

class ShapeImageSetters : public testing::TestWithParam<TSetterCase> {};

TEST_P(ShapeImageSetters, StoreOnlyNewValuesInRange) {
  const TSetterCase& c = GetParam();
  TShapeImageProperties properties;
  EXPECT_EQ(c.Set(properties), c.Stores);
  EXPECT_EQ(c.Read(properties), c.After);
}

using P = TShapeImageProperties;
auto Vectors = [](const P& p) { return p.Vectors(); };
auto VectorP = [](const P& p) { return p.VectorP(); };
auto Angle = [](const P& p) { return p.Angle(); };

INSTANTIATE_TEST_SUITE_P(
    Table, ShapeImageSetters,
    testing::Values(TSetterCase{"ShapeEqualStillStores", [](P& p) { return p.SetShape(shNone); }, true,
                                [](const P& p) { return static_cast<std::int32_t>(p.Shape()); }, shNone},
                    TSetterCase{"EdgeSizeEqual", [](P& p) { return p.SetEdgeSize(0); }, false,
                                [](const P& p) { return static_cast<std::int32_t>(p.EdgeSize()); }, 0},
                    TSetterCase{"EdgeSizeNegative", [](P& p) { return p.SetEdgeSize(-4); }, true,
                                [](const P& p) { return static_cast<std::int32_t>(p.EdgeSize()); }, -4},
                    TSetterCase{"VectorsTwo", [](P& p) { return p.SetVectors(2); }, false, Vectors, 10},
                    TSetterCase{"VectorsThree", [](P& p) { return p.SetVectors(3); }, true, Vectors, 3},
                    TSetterCase{"VectorsHundred", [](P& p) { return p.SetVectors(100); }, true, Vectors, 100},
                    TSetterCase{"VectorsHundredAndOne", [](P& p) { return p.SetVectors(101); }, false, Vectors, 10},
                    TSetterCase{"VectorsEqual", [](P& p) { return p.SetVectors(10); }, false, Vectors, 10},
                    TSetterCase{"VectorPZero", [](P& p) { return p.SetVectorP(0); }, true, VectorP, 0},
                    TSetterCase{"VectorPHundredAndOne", [](P& p) { return p.SetVectorP(101); }, false, VectorP, 50},
                    TSetterCase{"VectorPNegative", [](P& p) { return p.SetVectorP(-1); }, false, VectorP, 50},
                    TSetterCase{"VectorPEqual", [](P& p) { return p.SetVectorP(50); }, false, VectorP, 50},
                    TSetterCase{"AngleZero", [](P& p) { return p.SetAngle(0); }, true, Angle, 0},
                    TSetterCase{"Angle359", [](P& p) { return p.SetAngle(359); }, true, Angle, 359},
                    TSetterCase{"Angle360", [](P& p) { return p.SetAngle(360); }, false, Angle, 90},
                    TSetterCase{"AngleEqual", [](P& p) { return p.SetAngle(90); }, false, Angle, 90},
                    TSetterCase{"BColorBlackIsTheStart", [](P& p) { return p.SetBColor(0); }, false,
                                [](const P& p) { return p.BColor(); }, 0},
                    TSetterCase{"BColorWhite", [](P& p) { return p.SetBColor(0xFFFFFF); }, true,
                                [](const P& p) { return p.BColor(); }, 0xFFFFFF},
                    TSetterCase{"PColorRed", [](P& p) { return p.SetPColor(0xFF); }, true,
                                [](const P& p) { return p.OutlineColor(); }, 0xFF},
                    TSetterCase{"DottedOutlineIsBlack", [](P& p) { return p.SetPColor(0xFF) && p.SetPStyle(psDot); },
                                true, [](const P& p) { return p.OutlineColor(); }, 0},
                    TSetterCase{"DashedOutlineKeepsItsColour",
                                [](P& p) { return p.SetPColor(0xFF) && p.SetPStyle(psDash); }, true,
                                [](const P& p) { return p.OutlineColor(); }, 0xFF},
                    TSetterCase{"PStyleEqual", [](P& p) { return p.SetPStyle(psSolid); }, false,
                                [](const P& p) { return static_cast<std::int32_t>(p.PStyle()); }, psSolid}),
    [](const testing::TestParamInfo<TSetterCase>& info) { return std::string(info.param.Name); });

struct TStarCase {
  std::int32_t Vectors, VectorP, Angle;
  TVertexSettings Raised;
};

class RaiseStar : public testing::TestWithParam<TStarCase> {};

TEST_P(RaiseStar, GivesAtLeastTenVectorsAndPointUp) {
  const TStarCase& c = GetParam();
  TShapeImageProperties p;
  p.SetVectors(c.Vectors);
  p.SetVectorP(c.VectorP);
  p.SetAngle(c.Angle);
  p.RaiseStar();
  EXPECT_EQ(p.Vectors(), c.Raised.Vectors);
  EXPECT_EQ(p.VectorP(), c.Raised.VectorSize);
  EXPECT_EQ(p.Angle(), c.Raised.Angle);
}

INSTANTIATE_TEST_SUITE_P(Table, RaiseStar,
                         testing::Values(TStarCase{6, 0, 30, {10, 50, 90}}, TStarCase{12, 56, 90, {12, 56, 90}},
                                         TStarCase{3, 100, 0, {10, 100, 90}}, TStarCase{9, 1, 359, {10, 1, 90}}));

}  // namespace
