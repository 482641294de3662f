#include "capture/virtual_screen.h"

#include <algorithm>
#include <utility>

namespace {

bool IsEmpty(const TRect& r) { return r.Width() <= 0 || r.Height() <= 0; }

// `r` without `hole`: up to four rectangles, the bands above and below the
// hole across the whole width and the pieces left and right of it.
void AppendDifference(const TRect& r, const TRect& hole, std::vector<TRect>& out) {
  const TRect cut = Intersection(r, hole);
  if (IsEmpty(cut)) {
    out.push_back(r);
    return;
  }
  const TRect pieces[] = {{r.Left, r.Top, r.Right, cut.Top},
                          {r.Left, cut.Bottom, r.Right, r.Bottom},
                          {r.Left, cut.Top, cut.Left, cut.Bottom},
                          {cut.Right, cut.Top, r.Right, cut.Bottom}};
  for (const TRect& piece : pieces) {
    if (!IsEmpty(piece)) out.push_back(piece);
  }
}

}  // namespace

TRect Intersection(const TRect& a, const TRect& b) {
  const TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom)};
  return IsEmpty(r) ? TRect{} : r;
}

TVirtualScreen::TVirtualScreen(TRect bounds, std::vector<TRect> monitors)
    : bounds_(bounds), monitors_(std::move(monitors)) {
  if (monitors_.empty()) monitors_.push_back(bounds_);
}

std::vector<TRect> TVirtualScreen::UncoveredParts(const TRect& area) const {
  std::vector<TRect> uncovered;
  if (!IsEmpty(area)) uncovered.push_back(area);
  for (const TRect& monitor : monitors_) {
    std::vector<TRect> rest;
    for (const TRect& part : uncovered) AppendDifference(part, monitor, rest);
    uncovered.swap(rest);
  }
  for (TRect& part : uncovered) part = ToImage(part, {area.Left, area.Top});
  return uncovered;
}
