#include "capture/shape_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

std::vector<TPoint> PointsArray(std::int32_t vectors, std::int32_t vector_size, std::int32_t angle, TBox box) {
  vectors = std::min(vectors, kMaxVectors);
  if (vectors < 1) return {};
  const std::int32_t hw = box.Width / 2;
  const std::int32_t hh = box.Height / 2;
  const double outer = hw < hh ? hw : hh;
  const double inner = outer * ((100 - vector_size) / 100.0);
  std::vector<TPoint> points;
  points.reserve(static_cast<std::size_t>(vectors) + 1);
  for (std::int32_t i = 0; i <= vectors; ++i) {
    const double t = ((360.0 / vectors) * i - angle) * std::numbers::pi / 180.0;
    const double radius = i % 2 == 0 ? outer : inner;
    // nearbyint in the default rounding mode sends ties to the even neighbour.
    points.push_back({box.Left + hw + static_cast<std::int32_t>(std::nearbyint(std::cos(t) * radius)),
                      box.Top + hh + static_cast<std::int32_t>(std::nearbyint(std::sin(t) * radius))});
  }
  return points;
}
