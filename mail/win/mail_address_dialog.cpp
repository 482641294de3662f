#include "mail/win/mail_address_dialog.h"

#include "platform/win32/text.h"

namespace {

constexpr int kClientWidth = 240, kClientHeight = 124;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr win::TFontDesign kFont{L"MS Sans Serif", 11};

const win::TWindowClass& DialogClass() {
  static const win::TWindowClass dialog_class(win::TWindow::ClassDescription(L"TMailAddressDlg"));
  return dialog_class;
}

}  // namespace

TMailAddressDlg::TMailAddressDlg(HWND owner) : address_(std::make_unique<TmsMailAddress>()) {
  CreateFormForClient(owner, DialogClass().Name(), L"Address", kStyle, kClientWidth, kClientHeight);
  SetDefaultButton(IDOK);
  const HFONT font = Font(kFont);
  Own(std::make_unique<win::TButton>(Handle(), L"", BS_GROUPBOX, win::TBounds{8, 8, 225, 73}, 0), font);
  Own(std::make_unique<win::TLabel>(Handle(), L"Name", win::TBounds{16, 20, 44, 13}), font);
  NameEdit = &Own(std::make_unique<win::TEdit>(Handle(), 0, win::TBounds{64, 16, 161, 21}), font);
  Own(std::make_unique<win::TLabel>(Handle(), L"Address", win::TBounds{16, 52, 44, 13}), font);
  AddressEdit = &Own(std::make_unique<win::TEdit>(Handle(), 0, win::TBounds{64, 48, 161, 21}), font);
  auto& ok =
      Own(std::make_unique<win::TButton>(Handle(), L"OK", BS_DEFPUSHBUTTON, win::TBounds{64, 88, 75, 25}, IDOK), font);
  auto& cancel =
      Own(std::make_unique<win::TButton>(Handle(), L"Cancel", BS_PUSHBUTTON, win::TBounds{152, 88, 75, 25}, IDCANCEL),
          font);
  ok.OnClick = [this] { OKButtonClick(); };
  cancel.OnClick = [this] { Close(); };
}

TMailAddressDlg::~TMailAddressDlg() = default;

bool TMailAddressDlg::Execute(const TmsMailAddress& address) {
  address_->Assign(address);
  NameEdit->SetCaption(win::Widen(address_->Name()));
  AddressEdit->SetCaption(win::Widen(address_->Address()));
  confirmed_ = false;
  NameEdit->SetFocus();
  ShowModal();
  return confirmed_;
}

void TMailAddressDlg::OKButtonClick() {
  // The address keeps at most 255 characters of each.
  address_->SetName(win::Narrow(NameEdit->Caption()));
  address_->SetAddress(win::Narrow(AddressEdit->Caption()));
  confirmed_ = true;
  Close();
}

bool EditMailAddress(HWND owner, TmsMailAddress& address) {
  TMailAddressDlg dialog(owner);
  if (!dialog.Execute(address)) return false;
  address.Assign(dialog.Address());
  return true;
}
