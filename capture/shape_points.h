// The vertices of the star and of the polygons: taken alternately on an
// outer and an inner circle centred in a box.
#pragma once

#include <cstdint>
#include <vector>

#include "capture/screen_geometry.h"

// The most vertices a star or polygon outline has.
inline constexpr std::int32_t kMaxVectors = 100;

struct TBox {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// Returns vectors + 1 vertices; the outline is the polygon through the
// first `vectors` of them, clockwise on screen. The outer radius is
// min(width div 2, height div 2), the inner one is smaller by `vector_size`
// percent, and vertex 0 lies `angle` degrees counter-clockwise from the
// direction pointing right. Counts above kMaxVectors are cut to it; a count
// below 1 has no vertices.
std::vector<TPoint> PointsArray(std::int32_t vectors, std::int32_t vector_size, std::int32_t angle, TBox box);
