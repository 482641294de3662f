#include "app/config_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(KindControls, FollowTheKindsEntry) {
  // Per kind 0..19: V vectors and size, A also the angle, C colours only, - nothing.
  const std::string_view expected = "----C-CCCCCCCCVAAAAA";
  for (int kind = 0; kind < 20; ++kind) {
    const TKindControls c = ControlsForKind(kind);
    const char shown = c.Angle ? 'A' : c.Vectors ? 'V' : c.Colours ? 'C' : '-';
    EXPECT_EQ(shown, expected[static_cast<std::size_t>(kind)]) << "kind " << kind;
    EXPECT_EQ(c.VectorSize, c.Vectors) << kind;
    EXPECT_EQ(c.Colours, shown != '-') << kind;
  }
  EXPECT_EQ(ControlsForKind(2).Preview, shRectangle);
  EXPECT_EQ(ControlsForKind(5).Preview, shSquare);
  EXPECT_EQ(ControlsForKind(17).Preview, shPolyGon);
  EXPECT_EQ(PreviewPlaceFor(7), (TPreviewPlace{44, 50, 128, 96}));
  EXPECT_EQ(PreviewPlaceFor(5), (TPreviewPlace{60, 50, 96, 96}));

  // At creation the stored "What To Cap" and "Shape" decide, by a rule of
  // their own: {What To Cap, Shape, wide}.
  const TPreviewPlace wide{44, 50, 128, 96}, narrow{60, 50, 96, 96};
  const std::tuple<int, int, bool> stored[] = {{0, 0, true},  {3, 9, true},  {4, 4, true},   {4, 7, true},
                                               {4, 5, false}, {4, 2, false}, {-1, 4, false}, {7, 4, false}};
  for (const auto& [what, shape, is_wide] : stored) {
    TCaptureSettings settings;
    settings.WhatToCap = what;
    settings.Shape = shape;
    EXPECT_EQ(PreviewPlaceAtCreation(settings), is_wide ? wide : narrow) << what << ", " << shape;
  }
}

TEST(KindMapping, BetweenTheListAndTheSettings) {
  TCaptureSettings settings;
  settings.Shape = 9;
  StoreKind(3, settings);
  EXPECT_EQ(settings.WhatToCap, 3);
  EXPECT_EQ(settings.Shape, 9);
  StoreKind(4, settings);
  EXPECT_EQ(settings.WhatToCap, 4);
  EXPECT_EQ(settings.Shape, 4);
  EXPECT_EQ(KindOfSettings(settings), 4);
  settings.WhatToCap = -1;
  settings.Shape = 7;
  EXPECT_EQ(KindOfSettings(settings), 7);
  settings.WhatToCap = 2;
  EXPECT_EQ(KindOfSettings(settings), 2);
}

TEST(Fields, PortAndParameterRules) {
  for (const char* refused : {"", "25x", "-1", "abc"}) EXPECT_FALSE(PortOf(refused)) << refused;
  EXPECT_EQ(PortOf(" 25 "), 25);
  EXPECT_EQ(PortOf("99999"), 99999);
  EXPECT_FALSE(ParameterOf("0", 1, 100));
  EXPECT_FALSE(ParameterOf("400", 0, 360));
  EXPECT_EQ(ParameterOf("12a", 1, 100), 12);
  EXPECT_EQ(ParameterOf(" 360 ", 0, 360), 360);
}

TEST(ShapeEntries, EachKindEditsItsOwnEntryUntilStored) {
  TCaptureSettings settings;
  TShapeEntries entries(settings);
  *entries.ColoursOf(16)->Mask = 0x123456;  // Polygon 2
  *entries.ColoursOf(14)->Mask = 0x654321;  // the star
  entries.VectorsOf(16) = 7;
  entries.VectorsOf(8) = 12;  // kinds without vectors of their own edit the star's
  *entries.AngleOf(19) = 45;
  EXPECT_FALSE(entries.ColoursOf(5));
  EXPECT_EQ(entries.AngleOf(14), nullptr);
  EXPECT_EQ(settings.Polygons[1].Color, 0);
  entries.StoreInto(settings);
  EXPECT_EQ(settings.Polygons[1].Color, 0x123456);
  EXPECT_EQ(settings.Star.ShapeColor, 0x654321);
  EXPECT_EQ(settings.Polygons[1].Vector, 7);
  EXPECT_EQ(settings.Star.Vector, 12);
  EXPECT_EQ(settings.Polygons[4].Angle, 45);
}

}  // namespace
