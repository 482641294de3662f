#include "output/win/copy_to_clip.h"

#include "output/win/device_image.h"
#include "platform/win32/clipboard.h"

bool CopyToClip(HWND owner, const TBitmap& image) {
  return win::PutBitmapOnClipboard(owner, DeviceBitmapFromImage(image));
}
