// The selection of a rectangle or shape on the live screen. While it runs
// the program draws straight onto the display, inverting: the figure of the
// chosen shape with a dotted frame, the waiting banner before the press and
// the size banner under the selection while dragging. Every trace is erased
// again by drawing the same thing with the same coordinates (the banners by
// putting back the pixels they covered).
//
// The main window drives it from the hook library's mouse reports:
//   on the capture of kinds 3..19:
//     overlay_ = std::make_unique<TSelectionOverlay>(kind, style);
//     overlay_->WaitStart();
//   0x408  overlay_->WaitMove(x, y);
//   0x403  overlay_->Press(x, y);
//   0x404  overlay_->Drag(x, y);
//   0x407  overlay_->ToggleMoveMode();
//   0x405  RECT r = overlay_->Release(x, y); overlay_.reset();
//          then copy r from the screen and, for kinds 4..19, CutShape.
// A report that does not fit the phase (a drag before the press, anything
// after the release) is ignored. Destroying the overlay before the release
// erases what it drew; every GDI object it made is freed on every path.
#pragma once

#include <optional>

#include "capture/selection_geometry.h"
#include "capture/shape_kinds.h"
#include "capture/win/screen_banner.h"
#include "capture/win/screen_canvas.h"
#include "platform/win32/handles.h"
#include "platform/win32/windows_api.h"

class TSelectionOverlay {
 public:
  // Opens the display for drawing. `style` gives the star's and polygons' vertices.
  TSelectionOverlay(TShapeKind kind, const TShapeStyle& style);
  ~TSelectionOverlay();
  TSelectionOverlay(const TSelectionOverlay&) = delete;
  TSelectionOverlay& operator=(const TSelectionOverlay&) = delete;

  // Starts waiting for the press at the cursor (or at `cursor`): shows the
  // waiting banner 20 pixels right of and 5 below it.
  void WaitStart();
  void WaitStart(POINT cursor);
  // The mouse moved before the press: the waiting banner follows.
  void WaitMove(int x, int y);
  // The left button went down: the selection starts there.
  void Press(int x, int y);
  // The mouse moved with the button down: stretch or move the selection.
  void Drag(int x, int y);
  // The right button: switches between stretching and moving.
  void ToggleMoveMode();
  // The left button came up: erases everything, closes the display and
  // returns the rectangle to capture (squared for the square shapes).
  RECT Release(int x, int y);

 private:
  enum class TPhase { Opened, Waiting, Dragging, Released };

  void DrawWaitingBanner();
  // Draws, or with `erase` erases, the figure, its frame and the size banner on SelRect.
  void GrabRect(bool erase);

  TShapeKind kind_;
  TShapeStyle style_;
  TSelection selection_;
  TPhase phase_ = TPhase::Opened;
  std::optional<TScreenCanvas> canvas_;
  RECT screen_bounds_{};  // the virtual screen: the banners are clipped to it
  TScreenBanner banner_;
  win::TFont waiting_font_;
};
