#include "platform/win32/dpi.h"

#include "platform/win32/handles.h"

namespace win {
namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);

// Looked up at run time: user32 before Windows 10 does not export it, and
// a program that imported it would not start there.
TGetDpiForWindow GetDpiForWindowFunction() {
  static const auto function = reinterpret_cast<TGetDpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

}  // namespace

int SystemDpi() {
  TWindowDC screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int DpiOf(HWND window) {
  const TGetDpiForWindow get_dpi = GetDpiForWindowFunction();
  const int dpi = window != nullptr && get_dpi != nullptr ? static_cast<int>(get_dpi(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

}  // namespace win
