// The base of every window class of the program: one window procedure for
// all of them stores the C++ object in the window at WM_NCCREATE and hands
// each later message to that object's HandleMessage, which dispatches to
// short handler methods. Notifications of the form's controls (TControl)
// go to the controls themselves.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace win {

// A child's place in its parent: left, top, width, height in pixels.
struct TBounds {
  int left, top, width, height;
};

// What a window needs to be created: its class (registered by the caller,
// usually once per derived type) and the CreateWindowEx arguments.
struct TWindowParams {
  const wchar_t* class_name = nullptr;
  const wchar_t* caption = L"";
  DWORD style = 0;
  DWORD ex_style = 0;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;
};

// The caption of the box in which the application-wide error handler shows
// an exception's text that a message handler let pass.
void SetErrorCaption(const std::wstring& caption);

class TWindow {
 public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return handle_; }

  // The window class description shared by our windows, with the one
  // window procedure that dispatches to TWindow objects.
  static WNDCLASSEXW ClassDescription(const wchar_t* class_name);

 protected:
  // Creates the window; false when CreateWindowEx fails.
  bool CreateHandle(const TWindowParams& params);
  // Creates a visible child window of `parent` at `bounds`.
  bool CreateChild(const wchar_t* class_name, HWND parent, TBounds bounds, DWORD style = 0, DWORD ex_style = 0);

  // Handles one message; the default passes it to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND handle_ = nullptr;
};

}  // namespace win
