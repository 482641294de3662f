// Copying the current image to the clipboard as a device-dependent bitmap.
#pragma once

#include "gif/bitmap.h"
#include "platform/win32/windows_api.h"

// Replaces the clipboard's contents with a copy of `image` (an empty image
// gives an empty bitmap). The bitmap is made first: when it cannot be made,
// or another program holds the clipboard, a std::runtime_error says so and
// the clipboard keeps what it held.
void CopyToClip(HWND owner, const TBitmap& image);
