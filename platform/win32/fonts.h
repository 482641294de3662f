// Fonts of the program's windows, by face name and character height in pixels.
#pragma once

#include "platform/win32/handles.h"

namespace win {

TFont MakeFont(const wchar_t* face, int pixel_height, int weight = FW_NORMAL);

}  // namespace win
