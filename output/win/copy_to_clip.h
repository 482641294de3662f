// Copying the current image to the clipboard as a device-dependent bitmap.
#pragma once

#include "gif/bitmap.h"
#include "platform/win32/windows_api.h"

// Replaces the clipboard's contents with a copy of `image` (an empty image
// gives an empty bitmap). False when the clipboard could not be opened.
bool CopyToClip(HWND owner, const TBitmap& image);
