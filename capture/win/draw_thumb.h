// The thumbnail of the current image: a bitmap of the thumbnail box's size
// (133 x 125 at 96 DPI) in the button-face colour with the image scaled
// down into its top-left corner.
#pragma once

#include "gif/bitmap.h"
#include "platform/win32/handles.h"

win::TBitmapHandle DrawThumb(const TBitmap& image, int boxWidth, int boxHeight);
