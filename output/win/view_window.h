// TDoView, the view window "View Image": the current image at actual size
// in a scroll box, with an Exit button in a panel along the bottom.
#pragma once

#include <memory>

#include "gif/bitmap.h"
#include "platform/win32/control.h"
#include "platform/win32/form.h"
#include "platform/win32/panel.h"

class TImageScrollBox;

class TDoView : public win::TForm {
 public:
  // Shows `image`, which must outlive the window; nothing in the window
  // changes it.
  TDoView(HWND owner, const TBitmap& image);
  ~TDoView() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void FormResize();
  void Button1Click() { Close(); }

  std::unique_ptr<TImageScrollBox> ScrollBox1;
  std::unique_ptr<win::TPanel> Panel1;
  std::unique_ptr<win::TButton> Button1;
};

// Opens the view window modally over `owner` and frees it when it closes.
void ShowViewWindow(HWND owner, const TBitmap& image);
