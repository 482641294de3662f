// The geometry of a selection dragged with the mouse on the live screen:
// where it is while the user waits, presses, drags and releases the left
// button, what the size banner says and where the banners go. The overlay
// (capture/win/selection_overlay.h) draws what these values describe.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "capture/screen_geometry.h"
#include "capture/shape_kinds.h"

struct TSelection {
  TPoint AnchorPoint;  // where the button went down; travels with the selection in move mode
  TRect SelRect;       // the selection as drawn, normalised
  TPoint MousePoint;   // the cursor at the last report
  bool MoveMode = false;

  // Before the press: everything at the cursor.
  static TSelection WaitingAt(TPoint cursor);

  // The cursor moved before the press: the anchor and the (empty) selection
  // follow it, so the waiting banner does.
  void WaitMove(TPoint cursor);

  // The left button went down: the selection starts empty at `point`. The
  // mouse point stays as it was, so a drag in move mode measures its first
  // step from the last waiting report.
  void Press(TPoint point);

  // The mouse moved with the button down: the selection stretches between
  // the anchor and the cursor, or in move mode travels by the cursor's
  // displacement, anchor included.
  void Drag(TPoint cursor);

  void ToggleMoveMode() { MoveMode = !MoveMode; }

  // The left button came up at `point`: the rectangle to capture, spanned
  // by the anchor and `point`, reduced to its centred square for the
  // square shapes.
  TRect Release(TPoint point, TShapeKind kind);
};

inline constexpr std::string_view kWaitingBannerText = "Left click on the mouse to start the capture";

// The width and height the size banner shows for a selection of `kind`.
// The rectangle and the ellipse count both edge pixels (one more than the
// captured size); the squared shapes show their square.
struct TBannerNumbers {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  friend bool operator==(const TBannerNumbers&, const TBannerNumbers&) = default;
};
TBannerNumbers SizeBannerNumbers(TShapeKind kind, const TRect& selection);

// "Size: W x H   Right click to toggle between stretch and move".
std::string SizeBannerText(TBannerNumbers numbers);

// Top-left of the waiting banner: 20 right of and 5 below the cursor,
// which is where the empty selection lies while waiting.
TPoint WaitingBannerPlace(const TRect& selection);

// Top-left of the size banner: 5 below the selection, centred under it as
// wide as the width shown.
TPoint SizeBannerPlace(const TRect& selection, std::int32_t shown_width, std::int32_t text_width);
