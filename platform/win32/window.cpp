#include "platform/win32/window.h"

#include <exception>

#include "platform/win32/control.h"
#include "platform/win32/dpi.h"
#include "platform/win32/message_box.h"
#include "platform/win32/text.h"
#include "platform/win32/wait_cursor.h"

namespace win {
namespace {

std::wstring& ErrorCaption() {
  static std::wstring caption = L"Error";
  return caption;
}

}  // namespace

void SetErrorCaption(const std::wstring& caption) { ErrorCaption() = caption; }

TWindow::~TWindow() {
  if (handle_ != nullptr) {
    // Detach first so that the messages of the destruction are not handed
    // to a half-destroyed object.
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

WNDCLASSEXW TWindow::ClassDescription(const wchar_t* class_name) {
  WNDCLASSEXW description{};
  description.cbSize = sizeof(description);
  description.lpfnWndProc = &TWindow::WindowProc;
  description.hInstance = GetModuleHandleW(nullptr);
  description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  description.lpszClassName = class_name;
  return description;
}

bool TWindow::CreateHandle(const TWindowParams& params) {
  HWND created = CreateWindowExW(params.ex_style, params.class_name, params.caption, params.style, params.x, params.y,
                                 params.width, params.height, params.parent, nullptr, GetModuleHandleW(nullptr), this);
  return created != nullptr && created == handle_;
}

bool TWindow::CreateChild(const wchar_t* class_name, HWND parent, TBounds bounds, DWORD style, DWORD ex_style) {
  bounds_ = bounds;
  const TBounds scaled = ScaleBounds(bounds, DpiOf(parent));
  TWindowParams params;
  params.class_name = class_name;
  params.style = WS_CHILD | WS_VISIBLE | style;
  params.ex_style = ex_style;
  params.x = scaled.left;
  params.y = scaled.top;
  params.width = scaled.width;
  params.height = scaled.height;
  params.parent = parent;
  return CreateHandle(params);
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) { return Default(message, wparam, lparam); }

LRESULT TWindow::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(handle_, message, wparam, lparam);
}

TWindow* TWindow::Of(HWND window) {
  if (window == nullptr ||
      GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&TWindow::WindowProc)) {
    return nullptr;
  }
  return reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    // The last message of the window: the object no longer owns a handle.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    LRESULT result = self->HandleMessage(message, wparam, lparam);
    self->handle_ = nullptr;
    return result;
  }
  // The application-wide error handler: an exception that a handler lets
  // pass is shown and the program goes on; it must not unwind through the
  // system's code that called us.
  if (message == WM_SETCURSOR && TWaitCursor::Active()) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return TRUE;
  }
  try {
    if (message == WM_COMMAND && TControl::Dispatch(wparam, lparam)) return 0;
    if (message == WM_HSCROLL && TControl::DispatchScroll(lparam)) return 0;
    if (message == WM_NOTIFY && TControl::DispatchNotify(lparam)) return 0;
    // The window follows its new DPI here; HandleMessage may add to that.
    if (message == WM_DPICHANGED) self->FollowDpiChange(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    ShowMessage(window, Widen(error.what()), ErrorCaption(), TMessageButtons::mbOK, MB_ICONERROR);
  } catch (...) {
    ShowMessage(window, L"An unexpected error occurred.", ErrorCaption(), TMessageButtons::mbOK, MB_ICONERROR);
  }
  return 0;
}

}  // namespace win
