// Fonts of the program's windows, by face name, weight and character height
// in pixels at 96 DPI.
#pragma once

#include "platform/win32/handles.h"

namespace win {

struct TFontDesign {
  const wchar_t* Face;
  int Height;  // character height in 96-DPI pixels
  int Weight = FW_NORMAL;
};

// The font of `design` for a window shown at `dpi`.
TFont MakeFont(const TFontDesign& design, int dpi);

}  // namespace win
