#include "capture/win/figure_drawing.h"

#include <vector>

void DrawFigure(HDC dc, const TFigure& figure) {
  const TRect& b = figure.Box;
  switch (figure.Kind) {
    case TFigureKind::Nothing:
      break;
    case TFigureKind::Rectangle:
      Rectangle(dc, b.Left, b.Top, b.Right, b.Bottom);
      break;
    case TFigureKind::RoundRect:
      RoundRect(dc, b.Left, b.Top, b.Right, b.Bottom, figure.Corner, figure.Corner);
      break;
    case TFigureKind::Ellipse:
      Ellipse(dc, b.Left, b.Top, b.Right, b.Bottom);
      break;
    case TFigureKind::Polygon: {
      if (figure.Points.size() < 2) break;
      std::vector<POINT> points;
      points.reserve(figure.Points.size());
      for (const TPoint& p : figure.Points) points.push_back({p.X, p.Y});
      Polygon(dc, points.data(), static_cast<int>(points.size()));
      break;
    }
  }
}
