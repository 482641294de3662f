#include "app/win/capture_defaults.h"

#include "app/capture_kinds.h"
#include "hook/hook_messages.h"
#include "hook/hot_keys.h"
#include "platform/profile.h"
#include "platform/text_trim.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/message_box.h"
#include "platform/win32/text.h"

namespace {

constexpr int kWidth = 248, kHeight = 462;
constexpr int kOkId = 1, kCancelId = 2;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// The page control's pages, in order; StartPage numbers them differently.
enum : int { kHotKeyPage, kWhatCapturePage, kWhatDoPage, kEMailPage };
enum : int { kVectors, kVectorSize, kAngle };
constexpr int kDropDown = 17 * 13;
constexpr win::TFontDesign kFont{L"MS Sans Serif", 11};
constexpr win::TFontDesign kBoldFont{L"MS Sans Serif", 11, FW_BOLD};

const win::TWindowClass& DialogClass() {
  static const win::TWindowClass dialog_class(win::TWindow::ClassDescription(L"TCaptureDefaults"));
  return dialog_class;
}

std::wstring Decimal(std::int32_t value) { return std::to_wstring(value); }

std::string Trimmed(const win::TEdit& field, std::size_t limit) {
  return CutToCharacters(Trim(win::Narrow(field.Caption())), limit);
}

}  // namespace

TCaptureDefaults::TCaptureDefaults(HWND owner, TContext context, int start_page)
    : context_(context), entries_(context.Settings) {
  CreateForm(owner, DialogClass().Name(), L"Configuration", kStyle, kWidth, kHeight);
  SetDefaultButton(kOkId);
  MyPage = std::make_unique<win::TPageControl>(
      Handle(), win::TBounds{4, 4, 233, 405},
      std::vector<std::wstring>{L"&Hot Key", L"&What Capture", L"What &Do", L"&E-Mail"});
  MyPage->SetFont(Font(kFont));
  CreateHotKeyPage(MyPage->Page(kHotKeyPage));
  CreateWhatCapturePage(MyPage->Page(kWhatCapturePage));
  CreateWhatDoPage(MyPage->Page(kWhatDoPage));
  CreateEMailPage(MyPage->Page(kEMailPage));
  OkButton = std::make_unique<win::TButton>(Handle(), L"&Ok", BS_DEFPUSHBUTTON, win::TBounds{60, 412, 57, 21}, kOkId);
  CancelButton =
      std::make_unique<win::TButton>(Handle(), L"&Cancel", BS_PUSHBUTTON, win::TBounds{124, 412, 57, 21}, kCancelId);
  for (win::TButton* button : {OkButton.get(), CancelButton.get()}) button->SetFont(Font(kFont));
  OkButton->OnClick = [this] { OkButtonClick(); };
  CancelButton->OnClick = [this] { Close(); };
  FormShow(start_page);
}

TCaptureDefaults::~TCaptureDefaults() = default;

win::TLabel& TCaptureDefaults::Label(HWND page, const std::wstring& text, win::TBounds bounds, bool bold) {
  return Own(std::make_unique<win::TLabel>(page, text, bounds), bold ? Font(kBoldFont) : Font(kFont));
}

win::TEdit& TCaptureDefaults::Edit(HWND page, win::TBounds bounds, int max_length, DWORD style) {
  return Own(std::make_unique<win::TEdit>(page, style, bounds, max_length), Font(kFont));
}

void TCaptureDefaults::CreateHotKeyPage(HWND page) {
  Label(page, L"Capture Hot Key", {4, 4, 201, 16}, true);
  HotKeyEntry = &Edit(page, {4, 24, 201, 21}, 0, ES_READONLY);
  HotKeyEntry->OnEnter = [this] { context_.SetSecWind(Handle(), true); };
  HotKeyEntry->OnExit = [this] { context_.SetSecWind(Handle(), false); };
  Label(page,
        L"Place the cursor in the field above and press the desired hot key combination.  If the key combination "
        L"is available, the hot key name will appear.  Or you may choose from the list below.",
        {4, 52, 201, 80});
  Label(page, L"Hot Key List", {4, 138, 201, 16}, true);
  HotKeyList = std::make_unique<win::TListBox>(page, win::TBounds{4, 156, 201, 201}, 13);
  HotKeyList->SetFont(Font(kFont));
  for (std::string_view name : HotKeyNames) HotKeyList->AddItem(win::Widen(name));
  HotKeyList->OnClick = [this] { ShowHotKeyName(); };
}

void TCaptureDefaults::CreateWhatCapturePage(HWND page) {
  Label(page, L"Default Capture Item", {48, 4, 160, 16}, true);
  WhatToCap = std::make_unique<win::TComboBox>(page, CBS_DROPDOWNLIST, win::TBounds{48, 24, 125, 21 + kDropDown}, 0);
  WhatToCap->SetFont(Font(kFont));
  for (std::string_view name : CaptureKindNames) WhatToCap->AddItem(win::Widen(name));
  WhatToCap->OnChange = [this] { WhatToCapChange(); };
  const TPreviewPlace place = PreviewPlaceAtCreation(context_.Settings);
  ShapeImage = std::make_unique<TShapeImage>(page, win::TBounds{place.Left, place.Top, place.Width, place.Height});
  MaskColor =
      std::make_unique<win::TButton>(page, L"&Set Shape Mask Color", BS_PUSHBUTTON, win::TBounds{32, 152, 117, 21}, 0);
  ColorShape = std::make_unique<win::TColorSwatch>(page, win::TBounds{155, 152, 21, 21});
  Border = std::make_unique<win::TButton>(page, L"&Border Shape", BS_AUTOCHECKBOX, win::TBounds{12, 184, 92, 17}, 0);
  BorderColor =
      std::make_unique<win::TButton>(page, L"Bo&rder Color", BS_PUSHBUTTON, win::TBounds{108, 180, 65, 21}, 0);
  BorderShape = std::make_unique<win::TColorSwatch>(page, win::TBounds{179, 180, 21, 21});
  for (win::TButton* button : {MaskColor.get(), Border.get(), BorderColor.get()}) button->SetFont(Font(kFont));
  MaskColor->OnClick = [this] { MaskColorClick(); };
  BorderColor->OnClick = [this] { BorderColorClick(); };
  Border->OnClick = [this] { BorderClick(); };

  const wchar_t* captions[] = {L"Vectors", L"Vector Size", L"Angle"};
  const int ranges[][2] = {{1, 100}, {0, 100}, {0, 360}};
  for (int i = 0; i < 3; ++i) {
    TParameter& parameter = Parameters[i];
    const int top = 210 + 52 * i;
    parameter.Frame = &Own(
        std::make_unique<win::TButton>(page, captions[i], BS_GROUPBOX, win::TBounds{8, top, 210, 48}, 0), Font(kFont));
    parameter.Low = ranges[i][0];
    parameter.High = ranges[i][1];
    parameter.Bar =
        std::make_unique<win::TTrackBar>(page, win::TBounds{12, top + 18, 150, 22}, parameter.Low, parameter.High);
    parameter.Field = &Edit(page, {170, top + 18, 36, 21}, 3);
    parameter.Bar->OnScroll = [this, i] { BarChange(i); };
    parameter.Field->OnChange = [this, i] { FieldChange(i); };
  }
}

void TCaptureDefaults::CreateWhatDoPage(HWND page) {
  Label(page, L"Default Action", {16, 4, 189, 16}, true);
  DefaultAction =
      std::make_unique<win::TComboBox>(page, CBS_DROPDOWNLIST, win::TBounds{16, 24, 189, 21 + kDropDown}, 0);
  DefaultAction->SetFont(Font(kFont));
  for (std::string_view name : ActionNames) DefaultAction->AddItem(win::Widen(name));
  DefaultAction->OnChange = [this] { WhatToCapChange(); };
}

void TCaptureDefaults::CreateEMailPage(HWND page) {
  const auto frame = [&](const wchar_t* caption, win::TBounds bounds) {
    Own(std::make_unique<win::TButton>(page, caption, BS_GROUPBOX, bounds, 0), Font(kFont));
  };
  frame(L"SMTP Server", {4, 4, 217, 178});
  Label(page, L"Host", {12, 24, 40, 14});
  SMTPHost = &Edit(page, {56, 20, 156, 21}, 50);
  Label(page, L"Port", {12, 50, 40, 14});
  SMTPPort = &Edit(page, {56, 46, 50, 21}, 5);
  Label(page, L"(normally 25)", {112, 50, 100, 14});
  Label(page,
        L"Note: The SMTP Server is what allows you to send e-mail over the Internet.  You will need to obtain this "
        L"information from your Internet E-Mail provider or you may obtain it from the configuration section of "
        L"your E-Mail program.",
        {12, 74, 200, 104});
  frame(L"Your Default E-Mail Address", {4, 188, 217, 78});
  Label(page, L"Name", {12, 208, 40, 14});
  EmailName = &Edit(page, {56, 204, 156, 21}, 50);
  Label(page, L"Address", {12, 234, 44, 14});
  EmailAddress = &Edit(page, {56, 230, 156, 21}, 50);
  frame(L"Other", {4, 272, 217, 84});
  Label(page, L"Attachment Encoding", {12, 292, 118, 14});
  Encoding = std::make_unique<win::TComboBox>(page, CBS_DROPDOWNLIST, win::TBounds{132, 288, 80, 21 + 2 * 16}, 0);
  Encoding->SetFont(Font(kFont));
  Encoding->AddItem(L"MIME");
  Encoding->AddItem(L"UUEncode");
  Label(page, L"Default File Name", {12, 322, 118, 14});
  EMailFile = &Edit(page, {132, 318, 80, 21}, 50);
}

void TCaptureDefaults::FormShow(int start_page) {
  const TCaptureSettings& settings = context_.Settings;
  DefaultAction->SetItemIndex(settings.Action);
  WhatToCap->SetItemIndex(KindOfSettings(settings));
  LastKind = -2;
  HotKeyList->SetItemIndex(settings.CaptureKey);
  ShowHotKeyName();
  EnableDisable();
  SMTPHost->SetCaption(win::Widen(settings.SMTPHost));
  SMTPPort->SetCaption(Decimal(settings.SMTPPort));
  EmailName->SetCaption(win::Widen(settings.EMailName));
  EmailAddress->SetCaption(win::Widen(settings.EMailAddress));
  Encoding->SetItemIndex(settings.AttachmentEncoding);
  EMailFile->SetCaption(win::Widen(settings.EMailFile));
  MyPage->SetActivePage(start_page == spEMail ? kEMailPage : start_page == spHotKey ? kHotKeyPage : kWhatCapturePage);
}

LRESULT TCaptureDefaults::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kMsgHotKeyEntry) {
    HotKeyMessage(wparam);
    return 0;
  }
  return TForm::HandleMessage(message, wparam, lparam);
}

bool TCaptureDefaults::PreTranslateMessage(const MSG& message) {
  // The page control has the first look at Alt plus a letter.
  if (message.message != WM_SYSCHAR || !MyPage->Enabled()) return false;
  const int page = MyPage->PageOfMnemonic(static_cast<wchar_t>(message.wParam));
  if (page < 0) return false;
  MyPage->SetActivePage(page);
  return true;
}

void TCaptureDefaults::HotKeyMessage(WPARAM number) {
  if (number >= static_cast<WPARAM>(HotKeyList->ItemCount())) return;
  HotKeyList->SetItemIndex(static_cast<int>(number));
  ShowHotKeyName();
}

void TCaptureDefaults::ShowHotKeyName() {
  const int index = HotKeyList->ItemIndex();
  HotKeyEntry->SetCaption(index >= 0 ? HotKeyList->ItemText(index) : std::wstring());
}

void TCaptureDefaults::WhatToCapChange() {
  const TPreviewPlace place = PreviewPlaceFor(WhatToCap->ItemIndex());
  ShapeImage->Place({place.Left, place.Top, place.Width, place.Height});
  EnableDisable();
}

void TCaptureDefaults::EnableDisable() {
  const int kind = WhatToCap->ItemIndex();
  const TKindControls controls = ControlsForKind(kind);
  const bool shown[] = {controls.Vectors, controls.VectorSize, controls.Angle};
  for (int i = 0; i < 3; ++i) {
    for (win::TControl* control : {Parameters[i].Frame, static_cast<win::TControl*>(Parameters[i].Bar.get()),
                                   static_cast<win::TControl*>(Parameters[i].Field)}) {
      control->SetVisible(shown[i]);
      control->SetEnabled(shown[i]);
    }
  }
  MaskColor->SetVisible(controls.Colours);
  ColorShape->SetVisible(controls.Colours);
  BorderColor->SetVisible(controls.Colours);
  BorderShape->SetVisible(controls.Colours);
  Border->SetVisible(controls.Colours);
  MaskColor->SetEnabled(controls.Colours);
  EnableWindow(BorderShape->Handle(), controls.Colours);
  Border->SetEnabled(controls.Colours);
  // A new shape repaints the preview even when it is the same.
  ShapeImage->SetShape(controls.Preview);
  if (kind == LastKind) return;

  if (auto colours = entries_.ColoursOf(kind)) {
    ColorShape->SetColor(static_cast<COLORREF>(*colours->Mask));
    BorderShape->SetColor(static_cast<COLORREF>(*colours->Border));
    Border->SetChecked(*colours->UseBorder);
  }
  if (controls.Vectors) {
    const std::int32_t values[] = {entries_.VectorsOf(kind), entries_.VectorSizeOf(kind),
                                   controls.Angle ? *entries_.AngleOf(kind) : 0};
    for (int i = 0; i < (controls.Angle ? 3 : 2); ++i) {
      Parameters[i].Field->SetCaption(Decimal(values[i]));
      Parameters[i].Bar->SetPosition(values[i]);
    }
  }
  ShapeImage->SetPColor(BorderShape->Color());
  ShapeImage->SetBColor(ColorShape->Color());
  ShapeImage->SetVectorP(Parameters[kVectorSize].Bar->Position());
  ShapeImage->SetVectors(Parameters[kVectors].Bar->Position());
  ShapeImage->SetAngle(Parameters[kAngle].Bar->Position());
  LastKind = kind;
  ShowBorderControls(Border->Checked() && Border->Enabled());
}

void TCaptureDefaults::ShowBorderControls(bool solid) {
  ShapeImage->SetPStyle(solid ? psSolid : psDot);
  BorderColor->SetEnabled(solid);
  BorderColor->SetVisible(solid);
  BorderShape->SetVisible(solid);
}

void TCaptureDefaults::MaskColorClick() {
  auto colours = entries_.ColoursOf(WhatToCap->ItemIndex());
  if (!colours) return;
  const auto chosen = win::ShowColorDialog(Handle(), static_cast<COLORREF>(*colours->Mask));
  if (!chosen) return;
  *colours->Mask = static_cast<std::int32_t>(*chosen);
  ColorShape->SetColor(*chosen);
  ShapeImage->SetBColor(*chosen);
}

void TCaptureDefaults::BorderColorClick() {
  auto colours = entries_.ColoursOf(WhatToCap->ItemIndex());
  if (!colours) return;
  const auto chosen = win::ShowColorDialog(Handle(), static_cast<COLORREF>(*colours->Border));
  if (!chosen) return;
  *colours->Border = static_cast<std::int32_t>(*chosen);
  BorderShape->SetColor(*chosen);
  ShapeImage->SetPColor(*chosen);
}

void TCaptureDefaults::BorderClick() {
  if (auto colours = entries_.ColoursOf(WhatToCap->ItemIndex())) *colours->UseBorder = Border->Checked();
  ShowBorderControls(Border->Checked());
}

void TCaptureDefaults::BarChange(int bar) {
  // The field's change handler stores the value and updates the preview.
  Parameters[bar].Field->SetCaption(Decimal(Parameters[bar].Bar->Position()));
  if (bar == kVectors) {
    Parameters[kVectorSize].Field->SetCaption(Decimal(Parameters[kVectorSize].Bar->Position()));
  }
}

void TCaptureDefaults::FieldChange(int field) {
  TParameter& parameter = Parameters[field];
  const auto value = ParameterOf(win::Narrow(parameter.Field->Caption()), parameter.Low, parameter.High);
  if (!value) return;
  const int kind = WhatToCap->ItemIndex();
  parameter.Bar->SetPosition(*value);
  if (field == kVectors) {
    ShapeImage->SetVectors(*value);
    entries_.VectorsOf(kind) = *value;
  } else if (field == kVectorSize) {
    ShapeImage->SetVectorP(*value);
    entries_.VectorSizeOf(kind) = *value;
  } else {
    ShapeImage->SetAngle(*value);
    if (std::int32_t* angle = entries_.AngleOf(kind)) *angle = *value;
  }
}

void TCaptureDefaults::OkButtonClick() {
  TCaptureSettings& settings = context_.Settings;
  const auto port = PortOf(win::Narrow(SMTPPort->Caption()));
  if (!port) {
    win::ShowMessage(Handle(), win::Widen(kInvalidPortText), L"Error", win::TMessageButtons::mbOK);
    MyPage->SetActivePage(kEMailPage);
    SMTPPort->SetFocus();
    return;
  }
  // The hot key is taken only once the port is accepted, so a refused port
  // followed by "&Cancel" leaves the settings as they were.
  settings.CaptureKey = HotKeyList->ItemIndex();
  settings.SMTPHost = Trimmed(*SMTPHost, 50);
  settings.SMTPPort = *port;
  settings.EMailName = Trimmed(*EmailName, 50);
  settings.EMailAddress = Trimmed(*EmailAddress, 50);
  settings.AttachmentEncoding = std::max(Encoding->ItemIndex(), 0);
  settings.EMailFile = Trimmed(*EMailFile, 50);
  if (IsHotKeyNumber(settings.CaptureKey)) context_.Share.HotKeyEnabled[settings.CaptureKey] = 1;
  StoreKind(WhatToCap->ItemIndex(), settings);
  entries_.StoreInto(settings);
  settings.Action = DefaultAction->ItemIndex();
  context_.SaveSettings();
  Close();
}
