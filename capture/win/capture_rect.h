// The screen rectangles of the captures taken at once: the whole screen,
// the foreground window and its client area; and the monitors that show
// the screen.
#pragma once

#include <optional>

#include "capture/virtual_screen.h"
#include "platform/win32/windows_api.h"

// The virtual screen (every monitor), in screen coordinates; the primary
// display's rectangle when there is one monitor.
RECT ScreenRect();
// The virtual screen with the monitors that show it now.
TVirtualScreen CurrentVirtualScreen();
// The foreground window with its frame as shown (without the invisible
// resize borders of composited desktops), or its client area in screen
// coordinates; nothing when there is no foreground window.
std::optional<RECT> ForegroundWindowRect();
std::optional<RECT> ForegroundClientRect();
