// Controls of the forms layer: a child window of one of the system's
// control classes (button, combo box, ...) held by its form as a named
// member. A control's WM_COMMAND notifications, which the system sends to
// the parent form, are handed back to the control's OnCommand.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/handles.h"

namespace win {

struct TBounds {
  int left, top, width, height;
};

class TControl {
 public:
  // Creates the control as a visible child of `parent`; `id` is its
  // command identifier.
  TControl(HWND parent, const wchar_t* system_class, const std::wstring& caption, DWORD style, TBounds bounds, int id);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return window_.Get(); }

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetFocus();

  // Called with the notification code (BN_CLICKED, CBN_SETFOCUS, ...).
  std::function<void(UINT notification)> OnCommand;

  // Hands a WM_COMMAND that a form received to the control it came from;
  // false when it came from no TControl (a menu, an accelerator).
  static bool Dispatch(WPARAM wparam, LPARAM lparam);

 private:
  TWindowHandle window_;
};

// A push button, check box or radio button.
class TButton : public TControl {
 public:
  TButton(HWND parent, const std::wstring& caption, DWORD button_style, TBounds bounds, int id);

  bool Checked() const;
  void SetChecked(bool checked);

  // Called when the button is clicked.
  std::function<void()> OnClick;
};

}  // namespace win
