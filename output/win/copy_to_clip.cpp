#include "output/win/copy_to_clip.h"

#include <stdexcept>

#include "output/win/device_image.h"
#include "platform/win32/clipboard.h"

void CopyToClip(HWND owner, const TBitmap& image) {
  win::TBitmapHandle bitmap = DeviceBitmapFromImage(image);
  if (!bitmap) {
    throw std::runtime_error("The image could not be copied to the clipboard: there is not enough memory for it.");
  }
  if (!win::PutBitmapOnClipboard(owner, std::move(bitmap))) {
    throw std::runtime_error(
        "The image could not be copied to the clipboard: another program is using it.  Please try again.");
  }
}
