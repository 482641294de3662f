// The main window's controls, at the places of its design. Positions are
// left, top, width, height inside their panel.
#include "app/capture_settings.h"
#include "app/win/capture_defaults.h"
#include "app/win/main_win.h"

namespace {

constexpr int kAbortId = 2, kViewId = 3, kConfigId = 4, kShapeBoxId = 5, kPrintOptionsId = 6;
constexpr int kFirstRadioId = 100;
// The closed box plus room for its drop-down list.
constexpr int kDropDownHeight = 300;
// The design's client area before its height is reduced, which the main
// panel keeps.
constexpr int kPanelWidth = 480, kPanelHeight = 231;
constexpr win::TFontDesign kFont{L"Arial", 13};
constexpr win::TFontDesign kConfigFont{L"Arial", 11};

struct TRadioPlace {
  TFaceRadio Radio;
  const wchar_t* Caption;
  win::TBounds Bounds;
};

// The capture radio buttons reach to 8 pixels before the shape box: a wide
// font, or one whose height rounds up at a higher DPI, still fits the
// longest caption.
constexpr TRadioPlace kCaptureRadios[] = {
    {TFaceRadio::CapScreen, L"Capture &Screen", {8, 8, 208, 17}},
    {TFaceRadio::CapWindow, L"Capture &Window", {8, 28, 208, 17}},
    {TFaceRadio::CapClient, L"Capture Wi&ndow Client Area", {8, 48, 208, 17}},
    {TFaceRadio::CapArea, L"Capture &Rectangular Area", {8, 68, 208, 17}},
    {TFaceRadio::CapShape, L"Capture S&haped Area", {8, 88, 208, 17}},
};

constexpr TRadioPlace kActionRadios[] = {
    {TFaceRadio::SaveBit, L"Save As &Bitmap", {8, 8, 200, 17}},
    {TFaceRadio::SaveGIF, L"Save As &GIF", {8, 28, 200, 17}},
    {TFaceRadio::SaveJPEG, L"Save As &JPEG", {8, 48, 200, 17}},
    {TFaceRadio::CopyClip, L"Copy &To Clipboard", {8, 68, 200, 17}},
    {TFaceRadio::EMailIt, L"E-&Mail Image", {8, 88, 200, 17}},
    {TFaceRadio::PrintPixel, L"Print Using Pi&xel Size", {8, 108, 200, 17}},
    {TFaceRadio::PrintFilled, L"Print ", {8, 128, 52, 17}},
};

constexpr const wchar_t* kPrintOptions[] = {L"Full page", L"100%", L"200%", L"300%", L"400%",
                                            L"500%",      L"600%", L"700%", L"800%", L"900%"};

}  // namespace

void TMainWin::CreateControls() {
  MainPanel = std::make_unique<win::TPanel>(Handle(), win::TBounds{0, 0, kPanelWidth, kPanelHeight});
  CreateCapturePanel();
  CreateSavePrintPanel();
  CreateButtons();
}

void TMainWin::CreateCapturePanel() {
  CapturePanel = std::make_unique<win::TPanel>(MainPanel->Handle(), win::TBounds{0, 4, 381, 113});
  for (const TRadioPlace& place : kCaptureRadios) {
    AddRadio(CapturePanel->Handle(), place.Radio, place.Caption, place.Bounds).OnClick = [this] { SetWhatToCap(); };
  }
  ShapeLabel = std::make_unique<win::TLabel>(CapturePanel->Handle(), L"Shape", win::TBounds{224, 66, 60, 16});
  ShapeLabel->SetFont(Font(kFont));
  ShapeBox = std::make_unique<win::TComboBox>(CapturePanel->Handle(), CBS_DROPDOWNLIST | WS_GROUP,
                                              win::TBounds{224, 84, 145, kDropDownHeight}, kShapeBoxId);
  ShapeBox->SetFont(Font(kFont));
}

void TMainWin::CreateSavePrintPanel() {
  SavePrintPanel = std::make_unique<win::TPanel>(MainPanel->Handle(), win::TBounds{-4, 4, 381, 149});
  for (const TRadioPlace& place : kActionRadios) {
    AddRadio(SavePrintPanel->Handle(), place.Radio, place.Caption, place.Bounds).OnClick =
        [this, action = place.Radio] { ActionRadioClick(action); };
  }
  cboxPrintOptions = std::make_unique<win::TComboBox>(SavePrintPanel->Handle(), CBS_DROPDOWN | WS_GROUP,
                                                      win::TBounds{61, 125, 94, kDropDownHeight}, kPrintOptionsId);
  cboxPrintOptions->SetFont(Font(kFont));
  for (const wchar_t* option : kPrintOptions) cboxPrintOptions->AddItem(option);
  cboxPrintOptions->SetCaption(kPrintOptions[0]);
  // Entering the box checks "Print " as a click on it would, caption included.
  cboxPrintOptions->OnEnter = [this] {
    CheckRadio(TFaceRadio::PrintFilled);
    ActionRadioClick(TFaceRadio::PrintFilled);
  };

  ThumbImage = std::make_unique<win::TImage>(SavePrintPanel->Handle(), win::TBounds{240, 8, 133, 125});
  ThumbImage->OnDoubleClick = [this] { ViewButtonClick(); };
  ThumbImage->OnRightClick = [this](int x, int y) { PictMenu.PopUp(Handle(), x, y); };
}

win::TButton& TMainWin::AddRadio(HWND panel, TFaceRadio radio, const wchar_t* caption, win::TBounds bounds) {
  // The first radio button of a panel starts its group.
  const DWORD group = GetWindow(panel, GW_CHILD) == nullptr ? WS_GROUP : 0;
  auto& button = RadioButtons[static_cast<std::size_t>(radio)];
  button = std::make_unique<win::TButton>(panel, caption, BS_AUTORADIOBUTTON | group, bounds,
                                          kFirstRadioId + static_cast<int>(radio));
  button->SetFont(Font(kFont));
  return *button;
}

void TMainWin::CreateButtons() {
  HWND panel = MainPanel->Handle();
  ViewButton =
      std::make_unique<win::TButton>(panel, L"&View", BS_PUSHBUTTON | WS_GROUP, win::TBounds{392, 24, 65, 25}, kViewId);
  DoItButton = std::make_unique<win::TButton>(panel, L"&Capture", BS_DEFPUSHBUTTON | WS_GROUP,
                                              win::TBounds{392, 56, 65, 25}, kDoItId);
  AbortButton = std::make_unique<win::TButton>(panel, L"&Abort", BS_PUSHBUTTON | WS_GROUP,
                                               win::TBounds{392, 88, 65, 25}, kAbortId);
  ConfigButton = std::make_unique<win::TButton>(panel, L"C&onfigure", BS_PUSHBUTTON | WS_GROUP,
                                                win::TBounds{0, 124, 73, 17}, kConfigId);
  for (win::TButton* button : {ViewButton.get(), DoItButton.get(), AbortButton.get()}) button->SetFont(Font(kFont));
  ConfigButton->SetFont(Font(kConfigFont));
  ViewButton->OnClick = [this] { ViewButtonClick(); };
  DoItButton->OnClick = [this] { DoItButtonClick(); };
  AbortButton->OnClick = [this] { AbortButtonClick(); };
  ConfigButton->OnClick = [this] { OpenConfiguration(spWhatCapture); };
  // Until a face is chosen the window is on its capture face.
  SavePrintPanel->SetVisible(false);
  SavePrintPanel->SetEnabled(false);
  ViewButton->SetVisible(false);
  ViewButton->SetEnabled(false);
}
