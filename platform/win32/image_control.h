// An image control: a child window that shows a bitmap from its top-left
// corner and reports double clicks and right clicks.
#pragma once

#include <functional>

#include "platform/win32/control.h"
#include "platform/win32/window.h"

namespace win {

class TImage : public TWindow {
 public:
  TImage(HWND parent, TBounds bounds);

  // Takes over `picture` and repaints.
  void SetPicture(TBitmapHandle picture);

  std::function<void()> OnDoubleClick;
  // With the cursor's screen position.
  std::function<void(int x, int y)> OnRightClick;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint();

  TBitmapHandle picture_;
};

}  // namespace win
