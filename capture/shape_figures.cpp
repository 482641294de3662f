#include "capture/shape_figures.h"

#include "capture/shape_points.h"

namespace {

using enum TFigureKind;

std::int32_t Smaller(std::int32_t a, std::int32_t b) { return b > a ? a : b; }

// The triangles and the diamond of a shape type on the rectangle r.
std::vector<TPoint> CornerPolygon(TMyShapeType shape, const TRect& r) {
  const std::int32_t mid_x = r.Left + r.Width() / 2;
  const std::int32_t mid_y = r.Top + r.Height() / 2;
  switch (shape) {
    case shTriangleUp:
      return {{mid_x, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}};
    case shTriangleDown:
      return {{r.Left, r.Top}, {mid_x, r.Bottom}, {r.Right, r.Top}};
    case shTriangleLeft:
      return {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, mid_y}};
    case shTriangleRight:
      return {{r.Left, r.Top}, {r.Right, mid_y}, {r.Left, r.Bottom}};
    default:  // shDiamond
      return {{mid_x, r.Top}, {r.Right, mid_y}, {mid_x, r.Bottom}, {r.Left, mid_y}};
  }
}

// The polygon through the first `vectors` vertices in `box`.
TFigure VertexPolygon(const TVertexSettings& v, TBox box) {
  std::vector<TPoint> points = PointsArray(v.Vectors, v.VectorSize, v.Angle, box);
  if (!points.empty()) points.pop_back();
  return {Polygon, {}, 0, std::move(points)};
}

}  // namespace

TMyShapeType MyShapeTypeFor(std::int32_t capture_kind) {
  static constexpr TMyShapeType kTypes[] = {
      shRectangle,  shRoundRect,    shSquare,       shRoundSquare,   shEllipse, shCircle,
      shTriangleUp, shTriangleDown, shTriangleLeft, shTriangleRight, shDiamond, shStar,
  };
  if (capture_kind >= 0 && capture_kind < kFirstShapeKind) return shRectangle;
  if (capture_kind >= skPolygon1 && capture_kind <= kLastShapeKind) return shPolyGon;
  if (capture_kind >= kFirstShapeKind && capture_kind < skPolygon1) return kTypes[capture_kind - kFirstShapeKind];
  return shNone;
}

TFigure SelectionFigure(TShapeKind kind, const TShapeStyle& style, const TRect& r) {
  const TRect square = CentredSquare(r);
  const std::int32_t side = square.Width();
  switch (const TMyShapeType shape = MyShapeTypeFor(kind)) {
    case shRectangle:
      return {Rectangle, r};
    case shSquare:
      return {Rectangle, square};
    case shRoundRect:
      return {RoundRect, r, side / 4};
    case shRoundSquare:
      return {RoundRect, square, side / 4};
    case shEllipse:
      return {Ellipse, r};
    case shCircle:
      return {Ellipse, square};
    case shStar:
    case shPolyGon:
      return VertexPolygon({style.Vectors, style.VectorSize, style.Angle}, {square.Left, square.Top, side, side});
    case shNone:
      return {};
    default:
      return {Polygon, {}, 0, CornerPolygon(shape, r)};
  }
}

TFigure ShapeImageFigure(TMyShapeType shape, std::int32_t width, std::int32_t height, std::int32_t edge,
                         std::int32_t pen_width, const TVertexSettings& vertices) {
  // The pen straddles the figure's edge: a wider pen moves the figure in by
  // half its width so that the whole outline stays inside the picture.
  std::int32_t ox = pen_width / 2;
  std::int32_t oy = pen_width / 2;
  std::int32_t w = pen_width == 0 ? width : width - pen_width + 1;
  std::int32_t h = pen_width == 0 ? height : height - pen_width + 1;
  const std::int32_t m = Smaller(w, h);
  if (shape == shSquare || shape == shRoundSquare || shape == shCircle) {
    ox += (w - m) / 2;
    oy += (h - m) / 2;
    w = h = m;
  }
  const TRect inset{ox + edge, oy + edge, ox + w - edge, oy + h - edge};
  switch (shape) {
    case shNone:
      return {};
    case shRectangle:
    case shSquare:
      return {Rectangle, inset};
    case shRoundRect:
    case shRoundSquare:
      return {RoundRect, inset, m / 4};
    case shEllipse:
    case shCircle:
      return {Ellipse, inset};
    case shStar:
    case shPolyGon:
      return VertexPolygon(vertices, {edge, edge, width - 2 * edge, height - 2 * edge});
    default:
      return {Polygon, {}, 0, CornerPolygon(shape, {edge, edge, width - edge, height - edge})};
  }
}
