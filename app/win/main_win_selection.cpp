// The mouse selection of a rectangle or shape: the hook library reports the
// mouse (0x403..0x408) while HookMode is 2, the overlay draws on the live
// screen, and the release copies the chosen rectangle and cuts the shape.
#include <utility>

#include "app/capture_settings.h"
#include "app/win/main_win.h"
#include "capture/win/screen_shot.h"
#include "capture/win/selection_overlay.h"
#include "capture/win/shaped_cut.h"
#include "hook/hook_messages.h"

namespace {

int X(WPARAM wparam) { return static_cast<int>(static_cast<std::intptr_t>(wparam)); }
int Y(LPARAM lparam) { return static_cast<int>(lparam); }

}  // namespace

void TMainWin::StartSelection() {
  const auto kind = static_cast<TShapeKind>(CaptureKind);
  overlay_ = std::make_unique<TSelectionOverlay>(kind, ShapeStyleFor(context_.Settings, kind));
  overlay_->WaitStart();
  // From now on the hook library reports the mouse; it leaves this mode by
  // itself once it has reported the release.
  context_.Share.HookMode = kHookModeSelecting;
}

void TMainWin::SelectionMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!overlay_) return;
  switch (message) {
    case kMsgMouseMoved:
      overlay_->WaitMove(X(wparam), Y(lparam));
      break;
    case kMsgLeftButtonDown:
      overlay_->Press(X(wparam), Y(lparam));
      break;
    case kMsgMouseDragged:
      overlay_->Drag(X(wparam), Y(lparam));
      break;
    case kMsgRightClick:
      overlay_->ToggleMoveMode();
      break;
    case kMsgLeftButtonUp:
      FinishSelection(X(wparam), Y(lparam));
      break;
    default:
      break;
  }
}

void TMainWin::FinishSelection(int x, int y) {
  const RECT rect = overlay_->Release(x, y);
  overlay_.reset();
  const auto kind = static_cast<TShapeKind>(CaptureKind);
  TCaptureBitmap capture;
  ScreenShot(rect, capture, MyImage.TakeRows());
  if (capture.Bitmap && kind != skRectangle) {
    CutShape(capture.Bitmap, capture.Width, capture.Height, kind, ShapeStyleFor(context_.Settings, kind));
  }
  MyImage = std::move(capture.Image);
  FinishCapture();
}
