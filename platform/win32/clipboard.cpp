#include "platform/win32/clipboard.h"

namespace win {

bool PutBitmapOnClipboard(HWND owner, TBitmapHandle bitmap) {
  // Emptying the clipboard for nothing would lose what the user had there.
  if (!bitmap || !OpenClipboard(owner)) return false;
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_BITMAP, bitmap.Get()) != nullptr;
  if (placed) bitmap.Release();
  CloseClipboard();
  return placed;
}

}  // namespace win
