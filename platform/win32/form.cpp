#include "platform/win32/form.h"

#include "platform/win32/message_loop.h"

namespace win {
namespace {

constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;

}  // namespace

void TForm::CreateForm(HWND owner, const wchar_t* class_name, const std::wstring& caption, DWORD style, int width,
                       int height) {
  CreateDesignedForm(owner, class_name, caption, style, TDesign{.Width = width, .Height = height});
}

void TForm::CreateFormForClient(HWND owner, const wchar_t* class_name, const std::wstring& caption, DWORD style,
                                int client_width, int client_height) {
  CreateDesignedForm(owner, class_name, caption, style,
                     TDesign{.Width = client_width, .Height = client_height, .Client = true});
}

void TForm::CreateDesignedForm(HWND owner, const wchar_t* class_name, const std::wstring& caption, DWORD style,
                               TDesign design) {
  owner_ = owner;
  TWindowParams params;
  params.class_name = class_name;
  params.caption = caption.c_str();
  params.style = style;
  params.ex_style = kFormExStyle;
  params.parent = owner;
  CreateDesigned(params, design);
}

void TForm::ShowModal() {
  closed_ = false;
  const bool owner_was_enabled = owner_ != nullptr && IsWindowEnabled(owner_);
  if (owner_was_enabled) EnableWindow(owner_, FALSE);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  RunMessageLoop([this] { return closed_ || Handle() == nullptr; },
                 [this](const MSG& message) { return PreTranslateMessage(message); });
  // The owner gets the activation back, not some other program's window.
  if (owner_was_enabled) EnableWindow(owner_, TRUE);
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
  if (owner_ != nullptr && IsWindowVisible(owner_)) SetForegroundWindow(owner_);
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case DM_GETDEFID:
      return DefaultButtonAnswer(Handle(), default_button_);
    default:
      return Default(message, wparam, lparam);
  }
}

LRESULT DefaultButtonAnswer(HWND window, int default_id) {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window, focus) &&
      (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
    return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
  }
  return default_id != 0 ? MAKELRESULT(default_id, DC_HASDEFID) : 0;
}

POINT CentredOnScreen(int width, int height) {
  return POINT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace win
