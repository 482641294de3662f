// Controls of the forms layer: a child window of one of the system's
// control classes (button, combo box, ...) held by its form as a named
// member, placed at bounds designed at 96 DPI. A control's WM_COMMAND
// notifications, which the system sends to the parent form, are handed back
// to the control's OnCommand.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/window.h"

namespace win {

class TControl {
 public:
  // Creates the control as a visible child of `parent` at `bounds`, scaled
  // to the parent's DPI; `id` is its command identifier.
  TControl(HWND parent, const wchar_t* system_class, const std::wstring& caption, DWORD style, TBounds bounds, int id);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return window_.Get(); }
  // The control of `window`; null for a window that is no TControl.
  static TControl* Of(HWND window);
  // Places the control at its bounds for a window shown at `dpi`.
  virtual void LayOut(int dpi);

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetFocus();
  void SetVisible(bool visible);
  // The control's font; the caller keeps the font alive.
  void SetFont(HFONT font);

  // Called with the notification code (BN_CLICKED, CBN_SETFOCUS, ...).
  std::function<void(UINT notification)> OnCommand;
  // Called when the control reports a scroll (WM_HSCROLL, track bars).
  std::function<void()> OnScroll;
  // Called with the code of a WM_NOTIFY the control sent.
  std::function<void(UINT code)> OnNotify;

  // Hands a WM_COMMAND that a form received to the control it came from;
  // false when it came from no TControl (a menu, an accelerator).
  static bool Dispatch(WPARAM wparam, LPARAM lparam);
  // Hands a WM_HSCROLL from a control to its OnScroll; false for others.
  static bool DispatchScroll(LPARAM lparam);
  // Hands a WM_NOTIFY from a control to its OnNotify; false for others.
  static bool DispatchNotify(LPARAM lparam);

 private:
  TBounds bounds_;
  TWindowHandle window_;
};

// `class_name`, a class of the common controls (tab control, track bar),
// with those classes registered before the first one is created.
const wchar_t* CommonControlClass(const wchar_t* class_name);

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
  // `alignment` is SS_LEFT, SS_RIGHT or SS_CENTER.
  TLabel(HWND parent, const std::wstring& caption, TBounds bounds, int id = 0, DWORD alignment = SS_LEFT);
};

// A combo box: a drop-down list (CBS_DROPDOWNLIST) or an editable one
// (CBS_DROPDOWN). `bounds.height` is the height of the closed box plus its
// drop-down list.
class TComboBox : public TControl {
 public:
  TComboBox(HWND parent, DWORD combo_style, TBounds bounds, int id);

  void AddItem(const std::wstring& text);
  // -1 when no item is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);

  // Called when the box receives the input focus, and when the user
  // selects an item.
  std::function<void()> OnEnter;
  std::function<void()> OnChange;
};

// An edit field: one line that scrolls sideways, or with ES_MULTILINE a
// text whose lines wrap at the right edge.
class TEdit : public TControl {
 public:
  TEdit(HWND parent, DWORD edit_style, TBounds bounds, int max_length = 0, int id = 0);
  // Called when the text changes, when the field gets and loses the focus.
  std::function<void()> OnChange;
  std::function<void()> OnEnter;
  std::function<void()> OnExit;
};

// A list box whose item index is what the caller numbers by.
class TListBox : public TControl {
 public:
  // `item_height` in pixels at 96 DPI.
  TListBox(HWND parent, TBounds bounds, int item_height, int id = 0);
  void LayOut(int dpi) override;
  void AddItem(const std::wstring& text);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::wstring ItemText(int index) const;
  int ItemCount() const;
  // Called when the user selects an item.
  std::function<void()> OnClick;

 private:
  int item_height_;
};

// A horizontal track bar without tick marks.
class TTrackBar : public TControl {
 public:
  TTrackBar(HWND parent, TBounds bounds, int low, int high);
  int Position() const;
  void SetPosition(int position);
};

}  // namespace win
