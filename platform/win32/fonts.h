// Fonts of the program's windows, by face name, weight and character height
// in pixels at 96 DPI.
#pragma once

#include "platform/win32/handles.h"

namespace win {

struct TFontSpec {
  const wchar_t* Face;
  int Height;  // character height in 96-DPI pixels
  int Weight = FW_NORMAL;
};

// The font of `spec` for a window shown at `dpi`.
TFont MakeFont(const TFontSpec& spec, int dpi);

}  // namespace win
