// Every monitor of the desktop. Screen coordinates put the primary
// monitor's top-left at (0, 0), so a monitor left of or above it has
// negative coordinates; the virtual screen is the rectangle the system gives
// as holding every monitor (with one monitor, that monitor). An image of a
// screen rectangle has its own coordinates, (0, 0) at the rectangle's
// top-left: ToImage is the one conversion between the two.
#pragma once

#include <vector>

#include "capture/screen_geometry.h"

// The screen rectangle `r` in the coordinates of an image whose top-left
// pixel is the screen point `origin`.
inline TRect ToImage(const TRect& r, TPoint origin) { return r.Offset(-origin.X, -origin.Y); }

// The part of `a` that lies in `b`; empty (zero width or height) when none does.
TRect Intersection(const TRect& a, const TRect& b);

class TVirtualScreen {
 public:
  // When the system names no monitor, the whole virtual screen counts as shown.
  TVirtualScreen(TRect bounds, std::vector<TRect> monitors);

  const TRect& Bounds() const { return bounds_; }

  // The parts of the screen rectangle `area` that no monitor shows (a gap
  // between monitors, the corner beside a shorter one, anything past the
  // virtual screen), in the coordinates of an image of `area`. The parts do
  // not overlap.
  std::vector<TRect> UncoveredParts(const TRect& area) const;

 private:
  TRect bounds_;
  std::vector<TRect> monitors_;
};
