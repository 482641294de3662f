#include "platform/win32/fonts.h"

#include "platform/dpi_scale.h"

namespace win {

TFont MakeFont(const TFontDesign& design, int dpi) {
  // A negative height asks for the character height, not the cell height.
  return TFont(CreateFontW(-ScaleToDpi(design.Height, dpi), 0, 0, 0, design.Weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           design.Face));
}

}  // namespace win
