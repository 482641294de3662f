// Controls of the forms layer: a child window of one of the system's
// control classes (button, combo box, ...) held by its form as a named
// member. A control's WM_COMMAND notifications, which the system sends to
// the parent form, are handed back to the control's OnCommand.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/window.h"

namespace win {

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
  bool Visible() const;
  void SetVisible(bool visible);
  // The control's font; the caller keeps the font alive.
  void SetFont(HFONT font);

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

// A static text.
class TLabel : public TControl {
 public:
  TLabel(HWND parent, const std::wstring& caption, TBounds bounds, int id = 0);
};

// A combo box: a drop-down list (CBS_DROPDOWNLIST) or an editable one
// (CBS_DROPDOWN). `bounds.height` is the height of the closed box plus its
// drop-down list.
class TComboBox : public TControl {
 public:
  TComboBox(HWND parent, DWORD combo_style, TBounds bounds, int id);

  void AddItem(const std::wstring& text);
  int ItemCount() const;
  // -1 when no item is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);

  // Called when the box receives the input focus.
  std::function<void()> OnEnter;
};

}  // namespace win
