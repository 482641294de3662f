// The decisions behind the main window's two faces: which face a SetScreen
// mode shows, its button caption and checked radio button, which face ends
// a capture, and which capture kind the radio buttons stand for.
#pragma once

#include <optional>
#include <string_view>

// The radio buttons of both faces.
enum class TFaceRadio {
  None,
  CapScreen,
  CapWindow,
  CapClient,
  CapArea,
  CapShape,
  SaveBit,
  SaveGIF,
  SaveJPEG,
  PrintPixel,
  PrintFilled,
  CopyClip,
  EMailIt,
};

// SetScreen modes: 1 the capture face, 2..5 the action face.
enum TScreenMode : int { smCapture = 1, smPrint = 2, smSave = 3, smCopy = 4, smEMail = 5 };

struct TFace {
  bool CaptureFace = false;
  std::string_view DoItCaption;
  // The radio button to check; None leaves the checked one as it is.
  TFaceRadio Checked = TFaceRadio::None;
  // Capture face only: the shape box's item, or -1 for no selection.
  int ShapeIndex = -1;
};

// What SetScreen shows for `mode` with the settings "What To Cap", "Shape"
// and "Action"; nothing for a mode outside 1..5.
std::optional<TFace> FaceFor(int mode, int whatToCap, int shape, int action);

// The face FinishCapture shows for "Action": 6 e-mail, 5 copy, 3 and 4
// print, anything else save.
TScreenMode FinishFaceFor(int action);

// The DoItButton caption an action radio button's click sets; empty for
// the capture radio buttons, which leave it alone.
std::string_view DoItCaptionFor(TFaceRadio radio);

// The capture kind of the checked radio button: 0..3 for screen, window,
// client area and rectangle; the shape box's item + 3 for a shape, 3 with
// no item selected. With no radio button checked the kind stays `previous`.
int CaptureKindFor(TFaceRadio checked, int shapeIndex, int previous);

// The pause before the screen is copied: long enough for the hidden main
// window to vanish; shorter for the selections, which copy much later.
double PauseSecondsFor(int kind);
