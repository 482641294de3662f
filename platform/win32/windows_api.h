// The Windows API for the program's Windows-only code (app/win, capture/win,
// output/win, ...), which reaches the operating system only through
// platform/win32.
#pragma once

#include <windows.h>
