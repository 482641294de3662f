// SetScreen and the radio buttons of the two faces.
#include "app/capture_settings.h"
#include "app/win/main_win.h"
#include "platform/win32/text.h"

namespace {

bool IsCaptureRadio(TFaceRadio radio) { return radio >= TFaceRadio::CapScreen && radio <= TFaceRadio::CapShape; }

}  // namespace

void TMainWin::SetScreen(int mode) {
  const TCaptureSettings& settings = context_.Settings;
  const std::optional<TFace> face = FaceFor(mode, settings.WhatToCap, settings.Shape, settings.Action);
  if (!face) return;
  const bool capture = face->CaptureFace;
  ConfigButton->SetVisible(capture);
  CapturePanel->SetVisible(capture);
  CapturePanel->SetEnabled(capture);
  SavePrintPanel->SetVisible(!capture);
  SavePrintPanel->SetEnabled(!capture);
  ViewButton->SetVisible(!capture);
  ViewButton->SetEnabled(!capture);
  DoItButton->SetCaption(win::Widen(face->DoItCaption));
  CheckRadio(face->Checked);
  if (capture) {
    ShapeBox->SetItemIndex(face->ShapeIndex);
    SetWhatToCap();
  }
  DoItButton->SetFocus();
}

void TMainWin::CheckRadio(TFaceRadio radio) {
  if (radio == TFaceRadio::None) return;
  // A radio button's group is its face: uncheck the others of that face.
  const bool capture = IsCaptureRadio(radio);
  for (std::size_t i = 1; i < RadioButtons.size(); ++i) {
    const auto other = static_cast<TFaceRadio>(i);
    if (IsCaptureRadio(other) == capture) RadioButtons[i]->SetChecked(other == radio);
  }
}

TFaceRadio TMainWin::CheckedCaptureRadio() const {
  for (TFaceRadio radio : {TFaceRadio::CapScreen, TFaceRadio::CapWindow, TFaceRadio::CapClient, TFaceRadio::CapArea,
                           TFaceRadio::CapShape}) {
    if (Radio(radio).Checked()) return radio;
  }
  return TFaceRadio::None;
}

void TMainWin::SetWhatToCap() {
  const bool shape = Radio(TFaceRadio::CapShape).Checked();
  ShapeLabel->SetEnabled(shape);
  ShapeBox->SetEnabled(shape);
}

void TMainWin::ActionRadioClick(TFaceRadio radio) { DoItButton->SetCaption(win::Widen(DoItCaptionFor(radio))); }
