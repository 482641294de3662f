// The capture road: the start request (hot key or tray item), the capture
// button, DoACapture for the captures taken at once, FinishCapture and the
// Abort/Done button.
#include <utility>

#include "app/capture_settings.h"
#include "app/win/main_win.h"
#include "capture/shape_kinds.h"
#include "capture/win/capture_rect.h"
#include "capture/win/pause.h"
#include "capture/win/screen_shot.h"
#include "platform/win32/message_box.h"

namespace {

constexpr wchar_t kCaptureInProgress[] =
    L"A capture is already in progress.  You must either abort or complete the current capture first.";

}  // namespace

void TMainWin::ShowCaptureWarning() {
  DoActivate();
  win::ShowMessage(Handle(), kCaptureInProgress, L"Warning", win::TMessageButtons::mbOK);
}

void TMainWin::CaptureImage1Click() {
  if (CaptureInProgress) {
    ShowCaptureWarning();
    return;
  }
  ShowCaptureFace();
}

void TMainWin::ShowCaptureFace() {
  CaptureInProgress = true;
  AbortButton->SetCaption(L"&Abort");
  DoActivate();
  SetScreen(smCapture);
}

void TMainWin::HotKeyMessage(WPARAM number) {
  if (CaptureInProgress) {
    ShowCaptureWarning();
    return;
  }
  // A combination that is no longer the capture key (its switch stays on
  // after a change) is turned away here.
  if (static_cast<std::int64_t>(number) != context_.Settings.CaptureKey) return;
  ShowCaptureFace();
}

void TMainWin::DoItButtonClick() {
  if (CapturePanel->Enabled()) {
    Hide();
    CaptureKind = CaptureKindFor(CheckedCaptureRadio(), ShapeBox->ItemIndex(), CaptureKind);
    PauseForNoSpeed(PauseSecondsFor(CaptureKind));
    DoACapture();
  } else if (SavePrintPanel->Enabled()) {
    for (TFaceRadio action : {TFaceRadio::SaveBit, TFaceRadio::SaveGIF, TFaceRadio::SaveJPEG, TFaceRadio::PrintPixel,
                              TFaceRadio::PrintFilled, TFaceRadio::CopyClip, TFaceRadio::EMailIt}) {
      if (Radio(action).Checked()) {
        RunAction(action);
        break;
      }
    }
  }
}

void TMainWin::DoACapture() {
  if (CaptureKind < 0 || CaptureKind > kLastShapeKind) return;
  std::optional<RECT> rect;
  switch (CaptureKind) {
    case 0:
      rect = ScreenRect();
      break;
    case 1:
      rect = ForegroundWindowRect();
      break;
    case 2:
      rect = ForegroundClientRect();
      break;
    default:
      StartSelection();
      return;
  }
  // Without a foreground window there is nothing to copy: the capture
  // finishes with an empty image.
  TCaptureBitmap capture;
  if (rect) ScreenShot(*rect, capture, MyImage.TakeRows());
  MyImage = std::move(capture.Image);
  FinishCapture();
}

void TMainWin::FinishCapture() {
  ShowThumb();
  DoActivate();
  AbortButton->SetCaption(L"&Abort");
  SetScreen(FinishFaceFor(context_.Settings.Action));
}

void TMainWin::AbortButtonClick() {
  CaptureInProgress = false;
  Hide();
}
