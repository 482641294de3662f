// A colour swatch: a small child window filled with one colour.
#pragma once

#include "platform/win32/window.h"

namespace win {

class TColorSwatch : public TWindow {
 public:
  TColorSwatch(HWND parent, TBounds bounds);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  void SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  COLORREF color_ = 0;
};

}  // namespace win
