// The figure of each shape as plain geometry: which drawing call, on which
// rectangle or through which vertices. The rubber band, the mask of the
// shaped cut, its border and the configuration dialog's preview all draw
// these descriptions, so that what the user sees is what is kept.
#pragma once

#include <cstdint>
#include <vector>

#include "capture/screen_geometry.h"
#include "capture/shape_kinds.h"

enum class TFigureKind { Nothing, Rectangle, RoundRect, Ellipse, Polygon };

struct TFigure {
  TFigureKind Kind = TFigureKind::Nothing;
  TRect Box;                   // Rectangle, RoundRect, Ellipse
  std::int32_t Corner = 0;     // RoundRect: width and height of the corner ellipse
  std::vector<TPoint> Points;  // Polygon: every vertex drawn
  friend bool operator==(const TFigure&, const TFigure&) = default;
};

// The shapes of the ShapeImage control, in their ordinal order.
enum TMyShapeType : std::int32_t {
  shNone,
  shRectangle,
  shSquare,
  shRoundRect,
  shRoundSquare,
  shEllipse,
  shCircle,
  shTriangleLeft,
  shTriangleRight,
  shTriangleUp,
  shTriangleDown,
  shDiamond,
  shStar,
  shPolyGon,
};

// The control's shape for a capture kind; kinds 0..3 are all rectangles.
TMyShapeType MyShapeTypeFor(std::int32_t capture_kind);

// The figure of capture kind `kind` on the rectangle `r` (normalised): the
// rubber band on the screen and the border of the cut on (0, 0, W, H). The
// star and polygons use the vertex settings of `style` on the centred square.
TFigure SelectionFigure(TShapeKind kind, const TShapeStyle& style, const TRect& r);

// The star's or polygon's vertex settings as the ShapeImage control holds them.
struct TVertexSettings {
  std::int32_t Vectors = 10;
  std::int32_t VectorSize = 50;
  std::int32_t Angle = 90;
};

// The figure the ShapeImage control paints for `shape` in a picture of
// width x height, inset by `edge` on all sides, outlined with a pen
// `pen_width` pixels wide.
TFigure ShapeImageFigure(TMyShapeType shape, std::int32_t width, std::int32_t height, std::int32_t edge,
                         std::int32_t pen_width, const TVertexSettings& vertices);
