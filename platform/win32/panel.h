// A panel: a plain child window that holds controls. Keyboard navigation
// (Tab, arrow keys, mnemonics) reaches into it, and the notifications of
// its controls go to the controls themselves like those of a form.
#pragma once

#include "platform/win32/control.h"
#include "platform/win32/window.h"

namespace win {

class TPanel : public TWindow {
 public:
  TPanel(HWND parent, TBounds bounds);

  bool Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }
  void SetEnabled(bool enabled) { EnableWindow(Handle(), enabled ? TRUE : FALSE); }
  void SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }
};

}  // namespace win
