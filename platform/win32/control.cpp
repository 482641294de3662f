#include "platform/win32/control.h"

namespace win {
namespace {

// The window property that ties a control's window to its TControl. A
// property rather than the user data, which a foreign child may use.
constexpr wchar_t kControlProperty[] = L"GrabwellControl";

}  // namespace

TControl::TControl(HWND parent, const wchar_t* system_class, const std::wstring& caption, DWORD style, TBounds bounds,
                   int id)
    : window_(CreateWindowExW(0, system_class, caption.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                              bounds.width, bounds.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr)) {
  if (window_) SetPropW(window_.Get(), kControlProperty, this);
}

TControl::~TControl() {
  if (window_) RemovePropW(window_.Get(), kControlProperty);
}

std::wstring TControl::Caption() const {
  int length = GetWindowTextLengthW(Handle());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(Handle(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void TControl::SetCaption(const std::wstring& caption) { SetWindowTextW(Handle(), caption.c_str()); }

bool TControl::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void TControl::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled ? TRUE : FALSE); }

void TControl::SetFocus() { ::SetFocus(Handle()); }

bool TControl::Visible() const { return IsWindowVisible(Handle()) != FALSE; }

void TControl::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }

void TControl::SetFont(HFONT font) { SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

bool TControl::Dispatch(WPARAM wparam, LPARAM lparam) {
  HWND child = reinterpret_cast<HWND>(lparam);
  if (child == nullptr) return false;
  auto* control = static_cast<TControl*>(GetPropW(child, kControlProperty));
  if (control == nullptr) return false;
  if (control->OnCommand) control->OnCommand(HIWORD(wparam));
  return true;
}

TButton::TButton(HWND parent, const std::wstring& caption, DWORD button_style, TBounds bounds, int id)
    : TControl(parent, L"BUTTON", caption, WS_TABSTOP | button_style, bounds, id) {
  OnCommand = [this](UINT notification) {
    if (notification == BN_CLICKED && OnClick) OnClick();
  };
}

bool TButton::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TButton::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

TLabel::TLabel(HWND parent, const std::wstring& caption, TBounds bounds, int id)
    : TControl(parent, L"STATIC", caption, SS_LEFT, bounds, id) {}

TComboBox::TComboBox(HWND parent, DWORD combo_style, TBounds bounds, int id)
    : TControl(parent, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | combo_style, bounds, id) {
  OnCommand = [this](UINT notification) {
    if (notification == CBN_SETFOCUS && OnEnter) OnEnter();
  };
}

void TComboBox::AddItem(const std::wstring& text) {
  SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TComboBox::ItemCount() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace win
