// The DPI a window is shown at, for the forms layer's scaling of its 96-DPI
// design (platform/dpi_scale.h).
#pragma once

#include <windows.h>

namespace win {

// The system DPI: the screen DC's logical pixels per inch.
int SystemDpi();

// The DPI of the monitor that shows `window` (GetDpiForWindow, from Windows
// 10 version 1607 on); the system DPI where the system cannot say or for no
// window.
int DpiOf(HWND window);

}  // namespace win
