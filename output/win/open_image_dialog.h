// "Open Graphic File": choosing a BMP or JPEG file to become the current image.
#pragma once

#include <optional>

#include "gif/bitmap.h"
#include "platform/win32/windows_api.h"

// Shows the open dialog and reads the chosen file. Nothing when the user
// cancelled or the name has an unknown extension (reported here with a
// message box); a file that cannot be read raises its error, so the
// caller's current image stays as it was.
std::optional<TBitmap> OpenImageFile(HWND owner);
