// The seventeen capture shapes. A shape's number is also its capture kind
// (0, 1 and 2 being screen, window and client area) and the value of the
// "Shape" setting; the shape list of the main window shows them in this
// order, so its item index is the number - 3.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum TShapeKind : std::int32_t {
  skRectangle = 3,
  skRoundedRectangle,
  skSquare,
  skRoundedSquare,
  skEllipse,
  skCircle,
  skTriangleUp,
  skTriangleDown,
  skTriangleLeft,
  skTriangleRight,
  skDiamond,
  skStar,
  skPolygon1,
  skPolygon2,
  skPolygon3,
  skPolygon4,
  skPolygon5,
};

inline constexpr std::int32_t kFirstShapeKind = skRectangle;
inline constexpr std::int32_t kLastShapeKind = skPolygon5;
inline constexpr std::size_t kShapeKindCount = kLastShapeKind - kFirstShapeKind + 1;
inline constexpr std::size_t kCaptureKindCount = kLastShapeKind + 1;

constexpr bool IsShapeKind(std::int32_t value) { return value >= kFirstShapeKind && value <= kLastShapeKind; }

// "Rectangle" .. "Polygon 5", in number order.
extern const std::array<std::string_view, kShapeKindCount> ShapeNames;
// Indexed by capture kind: "Screen", "Window", "Client Window", then the shapes.
extern const std::array<std::string_view, kCaptureKindCount> CaptureKindNames;

// Whether the dragged selection is reduced to its centred square.
bool IsSquareShape(TShapeKind kind);

// Which group of settings keys a shape takes its mask and border from.
enum class TShapeSettingsFamily {
  None,     // Rectangle, Square: no keys of their own
  Plain,    // "<prefix> Shape Color", "<prefix> Border Color", "<prefix> Use Border"
  Star,     // "Star Vector", "Star Vector Size", "Star Shape Color", ...
  Polygon,  // "<prefix> Vector", ... "<prefix> Angle", "<prefix> Color", ...
};

// The key prefixes of the plain shapes and of the polygons, in the order the
// settings file stores them.
inline constexpr std::array<std::string_view, 9> kPlainShapePrefixes = {
    "RoundRect", "RoundSquare", "Ellipse", "Circle", "TriUp", "TriDown", "TriLeft", "TriRight", "Diamond"};
inline constexpr std::array<std::string_view, 5> kPolygonPrefixes = {"Poly1", "Poly2", "Poly3", "Poly4", "Poly5"};

struct TShapeSettingsEntry {
  TShapeSettingsFamily Family;
  std::size_t Index;        // into kPlainShapePrefixes or kPolygonPrefixes; 0 otherwise
  std::string_view Prefix;  // "RoundRect", "Star", "Poly3"; empty for None
};

TShapeSettingsEntry ShapeSettingsEntry(TShapeKind kind);

// How a shaped capture is cut and bordered, resolved from the settings.
struct TShapeStyle {
  bool HasMask = false;        // false for the plain rectangle: captured as it is
  std::int32_t MaskColor = 0;  // written over everything outside the shape
  bool UseBorder = false;
  std::int32_t BorderColor = 0;
  // Star and polygons only: vertex count, inner-circle percentage, angle of vertex 0.
  std::int32_t Vectors = 0;
  std::int32_t VectorSize = 0;
  std::int32_t Angle = 0;
};
