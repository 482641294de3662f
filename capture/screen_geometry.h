// Points and rectangles in screen (or bitmap) pixels, as the capture engine
// computes them. A rectangle's right and bottom lie just outside it, as in
// the system's own drawing calls.
#pragma once

#include <cstdint>

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  TRect Offset(std::int32_t dx, std::int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// The rectangle spanned by two corners, whichever corners they are.
inline TRect SpannedRect(TPoint a, TPoint b) {
  return {a.X < b.X ? a.X : b.X, a.Y < b.Y ? a.Y : b.Y, a.X < b.X ? b.X : a.X, a.Y < b.Y ? b.Y : a.Y};
}

// The square of side min(width, height) centred in `r` (halves round toward zero).
inline TRect CentredSquare(const TRect& r) {
  const std::int32_t side = r.Height() > r.Width() ? r.Width() : r.Height();
  const std::int32_t left = r.Left + (r.Width() - side) / 2;
  const std::int32_t top = r.Top + (r.Height() - side) / 2;
  return {left, top, left + side, top + side};
}
