#include "platform/win32/control.h"

#include <commctrl.h>

#include "platform/dpi_scale.h"
#include "platform/win32/dpi.h"

namespace win {
namespace {

// The window property that ties a control's window to its TControl. A
// property rather than the user data, which a foreign child may use.
constexpr wchar_t kControlProperty[] = L"GrabwellControl";

HWND CreateControl(HWND parent, const wchar_t* system_class, const std::wstring& caption, DWORD style, TBounds bounds,
                   int id) {
  const TBounds scaled = ScaleBounds(bounds, DpiOf(parent));
  return CreateWindowExW(0, system_class, caption.c_str(), WS_CHILD | WS_VISIBLE | style, scaled.left, scaled.top,
                         scaled.width, scaled.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TControl::TControl(HWND parent, const wchar_t* system_class, const std::wstring& caption, DWORD style, TBounds bounds,
                   int id)
    : bounds_(bounds), window_(CreateControl(parent, system_class, caption, style, bounds, id)) {
  if (window_) SetPropW(window_.Get(), kControlProperty, this);
}

TControl* TControl::Of(HWND window) {
  return window != nullptr ? static_cast<TControl*>(GetPropW(window, kControlProperty)) : nullptr;
}

void TControl::LayOut(int dpi) {
  const TBounds scaled = ScaleBounds(bounds_, dpi);
  SetWindowPos(Handle(), nullptr, scaled.left, scaled.top, scaled.width, scaled.height, SWP_NOZORDER | SWP_NOACTIVATE);
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

void TControl::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }

void TControl::SetFont(HFONT font) { SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

bool TControl::Dispatch(WPARAM wparam, LPARAM lparam) {
  TControl* control = Of(reinterpret_cast<HWND>(lparam));
  if (control == nullptr) return false;
  if (control->OnCommand) control->OnCommand(HIWORD(wparam));
  return true;
}

bool TControl::DispatchScroll(LPARAM lparam) {
  TControl* control = Of(reinterpret_cast<HWND>(lparam));
  if (control == nullptr) return false;
  if (control->OnScroll) control->OnScroll();
  return true;
}

bool TControl::DispatchNotify(LPARAM lparam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lparam);
  TControl* control = header != nullptr ? Of(header->hwndFrom) : nullptr;
  if (control == nullptr || !control->OnNotify) return false;
  control->OnNotify(header->code);
  return true;
}

const wchar_t* CommonControlClass(const wchar_t* class_name) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
  return class_name;
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

TLabel::TLabel(HWND parent, const std::wstring& caption, TBounds bounds, int id, DWORD alignment)
    : TControl(parent, L"STATIC", caption, alignment, bounds, id) {}

TComboBox::TComboBox(HWND parent, DWORD combo_style, TBounds bounds, int id)
    : TControl(parent, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | combo_style, bounds, id) {
  OnCommand = [this](UINT notification) {
    if (notification == CBN_SETFOCUS && OnEnter) OnEnter();
    if (notification == CBN_SELCHANGE && OnChange) OnChange();
  };
}

void TComboBox::AddItem(const std::wstring& text) {
  SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TComboBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

TEdit::TEdit(HWND parent, DWORD edit_style, TBounds bounds, int max_length, int id)
    : TControl(parent, L"EDIT", L"",
               WS_TABSTOP | WS_BORDER | ((edit_style & ES_MULTILINE) != 0 ? 0 : ES_AUTOHSCROLL) | edit_style, bounds,
               id) {
  if (max_length > 0) SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(max_length), 0);
  OnCommand = [this](UINT notification) {
    const std::function<void()>* handler = notification == EN_CHANGE      ? &OnChange
                                           : notification == EN_SETFOCUS  ? &OnEnter
                                           : notification == EN_KILLFOCUS ? &OnExit
                                                                          : nullptr;
    if (handler != nullptr && *handler) (*handler)();
  };
}

TListBox::TListBox(HWND parent, TBounds bounds, int item_height, int id)
    : TControl(parent, L"LISTBOX", L"", WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, bounds,
               id),
      item_height_(item_height) {
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ScaleToDpi(item_height_, DpiOf(parent)));
  OnCommand = [this](UINT notification) {
    if (notification == LBN_SELCHANGE && OnClick) OnClick();
  };
}

void TListBox::LayOut(int dpi) {
  TControl::LayOut(dpi);
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ScaleToDpi(item_height_, dpi));
}

void TListBox::AddItem(const std::wstring& text) {
  SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int index) { SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

std::wstring TListBox::ItemText(int index) const {
  const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int TListBox::ItemCount() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

TTrackBar::TTrackBar(HWND parent, TBounds bounds, int low, int high)
    : TControl(parent, CommonControlClass(TRACKBAR_CLASSW), L"", WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, bounds, 0) {
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, low);
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, high);
}

int TTrackBar::Position() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }

void TTrackBar::SetPosition(int position) { SendMessageW(Handle(), TBM_SETPOS, TRUE, position); }

}  // namespace win
