#include "platform/win32/fonts.h"

namespace win {

TFont MakeFont(const wchar_t* face, int pixel_height, int weight) {
  // A negative height asks for the character height, not the cell height.
  return TFont(CreateFontW(-pixel_height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

}  // namespace win
