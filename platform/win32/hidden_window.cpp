#include "platform/win32/hidden_window.h"

#include <stdexcept>

namespace platform::win32 {

namespace {

constexpr wchar_t kClassName[] = L"GrabwellHiddenWindow";

HINSTANCE ThisModule() { return GetModuleHandleW(nullptr); }

}  // namespace

THiddenWindow::THiddenWindow(THandler handler) : handler_(std::move(handler)) {
  static const ATOM registered = [] {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &THiddenWindow::WindowProc;
    window_class.hInstance = ThisModule();
    window_class.lpszClassName = kClassName;
    return RegisterClassW(&window_class);
  }();
  if (registered == 0) throw std::runtime_error("cannot register the hidden window class");
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ThisModule(), this);
  if (window_ == nullptr) throw std::runtime_error("cannot create a hidden window");
}

THiddenWindow::~THiddenWindow() { DestroyWindow(window_); }

LRESULT CALLBACK THiddenWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<THiddenWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message != WM_NCCREATE && self->handler_(message, wparam, lparam)) return 0;
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace platform::win32
