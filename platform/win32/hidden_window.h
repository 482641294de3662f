// A message-only window that hands its messages to a handler; the base of
// the socket component's notification window and of the timers.
#pragma once

#include <windows.h>

#include <functional>

namespace platform::win32 {

class THiddenWindow {
 public:
  // Returns true when it handled the message; others go to DefWindowProc.
  using THandler = std::function<bool(UINT message, WPARAM wparam, LPARAM lparam)>;

  explicit THiddenWindow(THandler handler);
  ~THiddenWindow();
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  THandler handler_;
  HWND window_ = nullptr;
};

}  // namespace platform::win32
