// A top-level window's frame as desktop composition shows it.
#pragma once

#include <optional>

#include "platform/win32/windows_api.h"

namespace win {

// The window's frame in physical screen pixels without the invisible
// resize borders that Windows 10 and 11 put around a top-level window
// (which GetWindowRect includes). Nothing where desktop composition is off,
// where dwmapi.dll is missing or where the system cannot tell.
std::optional<RECT> ExtendedFrameBounds(HWND window);

}  // namespace win
