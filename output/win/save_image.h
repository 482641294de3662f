// The three save operations: the save dialog of the format, proposing
// ImageN, then the format's writer on the current image.
#pragma once

#include "gif/bitmap.h"
#include "output/save_rules.h"
#include "platform/win32/windows_api.h"

// Asks for a file name and writes `image` in `format`. A cancelled dialog
// writes nothing and leaves `number` alone; a writer's error passes to the
// caller (the number then stays too). The GIF writer turns `image` into a
// 24-bit image with the same pixels.
void DoSaveAs(HWND owner, TSaveFormat format, TBitmap& image, TFileNumber& number);
