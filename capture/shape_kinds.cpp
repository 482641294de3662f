#include "capture/shape_kinds.h"

namespace {

struct TShapeRow {
  std::string_view Name;
  bool Square;
  TShapeSettingsFamily Family;
  std::size_t Index;  // within the family
};

using enum TShapeSettingsFamily;

constexpr TShapeRow kShapes[kShapeKindCount] = {
    {"Rectangle", false, None, 0},       {"Rounded Rectangle", false, Plain, 0}, {"Square", true, None, 0},
    {"Rounded Square", true, Plain, 1},  {"Ellipse", false, Plain, 2},           {"Circle", true, Plain, 3},
    {"Triangle Up", false, Plain, 4},    {"Triangle Down", false, Plain, 5},     {"Triangle Left", false, Plain, 6},
    {"Triangle Right", false, Plain, 7}, {"Diamond", false, Plain, 8},           {"Star", true, Star, 0},
    {"Polygon 1", true, Polygon, 0},     {"Polygon 2", true, Polygon, 1},        {"Polygon 3", true, Polygon, 2},
    {"Polygon 4", true, Polygon, 3},     {"Polygon 5", true, Polygon, 4},
};

const TShapeRow& Row(TShapeKind kind) { return kShapes[kind - kFirstShapeKind]; }

constexpr std::array<std::string_view, kShapeKindCount> BuildShapeNames() {
  std::array<std::string_view, kShapeKindCount> names{};
  for (std::size_t i = 0; i < kShapeKindCount; ++i) names[i] = kShapes[i].Name;
  return names;
}

constexpr std::array<std::string_view, kCaptureKindCount> BuildCaptureKindNames() {
  std::array<std::string_view, kCaptureKindCount> names{"Screen", "Window", "Client Window"};
  for (std::size_t i = 0; i < kShapeKindCount; ++i) names[kFirstShapeKind + i] = kShapes[i].Name;
  return names;
}

}  // namespace

extern constexpr std::array<std::string_view, kShapeKindCount> ShapeNames = BuildShapeNames();
extern constexpr std::array<std::string_view, kCaptureKindCount> CaptureKindNames = BuildCaptureKindNames();

bool IsSquareShape(TShapeKind kind) { return IsShapeKind(kind) && Row(kind).Square; }

TShapeSettingsEntry ShapeSettingsEntry(TShapeKind kind) {
  if (!IsShapeKind(kind)) return {None, 0, ""};
  const TShapeRow& row = Row(kind);
  switch (row.Family) {
    case None:
      return {None, 0, ""};
    case Plain:
      return {Plain, row.Index, kPlainShapePrefixes[row.Index]};
    case Star:
      return {Star, 0, "Star"};
    case Polygon:
      return {Polygon, row.Index, kPolygonPrefixes[row.Index]};
  }
  return {None, 0, ""};
}
