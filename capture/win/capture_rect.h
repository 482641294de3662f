// The screen rectangles of the captures taken at once: the whole screen,
// the foreground window and its client area.
#pragma once

#include <optional>

#include "platform/win32/windows_api.h"

// The primary display's rectangle, (0, 0, HORZRES, VERTRES).
RECT ScreenRect();
// The foreground window with its frame, or its client area in screen
// coordinates; nothing when there is no foreground window.
std::optional<RECT> ForegroundWindowRect();
std::optional<RECT> ForegroundClientRect();
