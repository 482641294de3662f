// The clipboard in the standard bitmap format.
#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace win {

// Replaces the clipboard's contents with `bitmap` (CF_BITMAP); the
// clipboard owns the bitmap afterwards. False, with the clipboard left as
// it was, when there is no bitmap or the clipboard could not be opened; the
// bitmap is then freed here.
bool PutBitmapOnClipboard(HWND owner, TBitmapHandle bitmap);

}  // namespace win
