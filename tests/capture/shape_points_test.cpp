#include "capture/shape_points.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TPointsCase {
  const char* Name;
  std::int32_t Vectors, VectorSize, Angle;
  TBox Box;
  std::vector<TPoint> Expected;  // all vectors + 1 of them
};

class PointsArrayGolden : public testing::TestWithParam<TPointsCase> {};

TEST_P(PointsArrayGolden, GivesTheVertices) {
  const TPointsCase& c = GetParam();
  EXPECT_EQ(PointsArray(c.Vectors, c.VectorSize, c.Angle, c.Box), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PointsArrayGolden,
    testing::Values(
        TPointsCase{"FivePointedStarPointUp",
                    10,
                    56,
                    90,
                    {0, 0, 100, 100},
                    {{50, 0},
                     {63, 32},
                     {98, 35},
                     {71, 57},
                     {79, 90},
                     {50, 72},
                     {21, 90},
                     {29, 57},
                     {2, 35},
                     {37, 32},
                     {50, 0}}},
        TPointsCase{"DiamondStartsRightGoesClockwise",
                    4,
                    0,
                    0,
                    {0, 0, 100, 100},
                    {{100, 50}, {50, 100}, {0, 50}, {50, 0}, {100, 50}}},
        TPointsCase{
            "WideBoxUsesHalfTheHeight", 4, 0, 0, {0, 0, 120, 80}, {{100, 40}, {60, 80}, {20, 40}, {60, 0}, {100, 40}}},
        // Inner radius 2.5 and 3.5: the ties go to the even neighbour.
        TPointsCase{"TieToEvenDown", 4, 50, 0, {0, 0, 10, 10}, {{10, 5}, {5, 7}, {0, 5}, {5, 3}, {10, 5}}},
        TPointsCase{"TieToEvenUp", 4, 50, 0, {0, 0, 14, 14}, {{14, 7}, {7, 11}, {0, 7}, {7, 3}, {14, 7}}},
        // Odd count: the last drawn vertex and vertex 0 are both outer.
        TPointsCase{"OddCountOffsetOddBox",
                    5,
                    0,
                    90,
                    {10, 20, 101, 61},
                    {{60, 20}, {89, 41}, {78, 74}, {42, 74}, {31, 41}, {60, 20}}},
        TPointsCase{
            "NegativeCoordinates", 3, 30, 45, {-50, -20, 40, 40}, {{-16, -14}, {-26, 14}, {-49, -5}, {-20, -10}}},
        TPointsCase{"TwoVectors", 2, 0, 90, {0, 0, 100, 100}, {{50, 0}, {50, 100}, {50, 0}}},
        TPointsCase{"EmptyBoxPutsEveryVertexAtTheCorner", 3, 50, 0, {7, 9, 0, 1}, {{7, 9}, {7, 9}, {7, 9}, {7, 9}}},
        TPointsCase{"NoVectorsNoVertices", 0, 50, 90, {0, 0, 100, 100}, {}}),
    [](const testing::TestParamInfo<TPointsCase>& info) { return std::string(info.param.Name); });

TEST(PointsArray, CountAboveTheBufferIsCut) {
  EXPECT_EQ(PointsArray(250, 20, 0, {0, 0, 50, 50}).size(), static_cast<std::size_t>(kMaxVectors + 1));
  EXPECT_TRUE(PointsArray(-3, 20, 0, {0, 0, 50, 50}).empty());
}

}  // namespace
