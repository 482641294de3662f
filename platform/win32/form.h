// A modal form: a top-level window created for one use, shown over its
// owner (which is disabled meanwhile) with dialog keyboard navigation, and
// closed by Close() or the system's close command.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/control.h"
#include "platform/win32/window.h"

namespace win {

class TForm : public TWindow {
 public:
  // Shows the form and returns when it has been closed.
  void ShowModal();
  void Close() { closed_ = true; }

 protected:
  // Creates the hidden form with its outer size (at 96 DPI), centred on the
  // screen ((screen width - width) div 2, likewise for the height).
  void CreateForm(HWND owner, const wchar_t* class_name, const std::wstring& caption, DWORD style, int width,
                  int height);
  // The same for a form whose client area is `client_width` x
  // `client_height` (at 96 DPI).
  void CreateFormForClient(HWND owner, const wchar_t* class_name, const std::wstring& caption, DWORD style,
                           int client_width, int client_height);
  // The control that Enter presses when the focus is not on a push button.
  void SetDefaultButton(int id) { default_button_ = id; }
  // Keeps `control` (a child of the form or of one of its pages) for the
  // form's lifetime and gives it `font` (one of Font()'s); returns it.
  template <typename TKind>
  TKind& Own(std::unique_ptr<TKind> control, HFONT font) {
    control->SetFont(font);
    TKind& kept = *control;
    owned_.push_back(std::move(control));
    return kept;
  }

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Sees every message of the modal loop before the dialog keys do; true
  // consumes it.
  virtual bool PreTranslateMessage(const MSG&) { return false; }

 private:
  void CreateDesignedForm(HWND owner, const wchar_t* class_name, const std::wstring& caption, DWORD style,
                          TDesign design);

  HWND owner_ = nullptr;
  bool closed_ = false;
  int default_button_ = 0;
  std::vector<std::unique_ptr<TControl>> owned_;
};

// The answer to DM_GETDEFID for a window whose Enter key presses the
// focused push button, or `default_id` when the focus is elsewhere.
LRESULT DefaultButtonAnswer(HWND window, int default_id);

// The top-left corner that centres a window of the given outer size on the
// primary screen.
POINT CentredOnScreen(int width, int height);

}  // namespace win
