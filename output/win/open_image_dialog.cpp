#include "output/win/open_image_dialog.h"

#include "output/open_image.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/message_box.h"
#include "platform/win32/text.h"
#include "platform/win32/wait_cursor.h"

std::optional<TBitmap> OpenImageFile(HWND owner) {
  const win::TFileDialogOptions options{
      L"Open Graphic File",
      L"Graphic Files (*.BMP, *.JPG)|*.BMP;*.JPG|Bitmap File (*.BMP)|*.BMP|JPEG File (*.JPG)|*.JPG", L"*.BMP;*.JPG",
      L"", OFN_HIDEREADONLY};
  const auto chosen = win::ShowOpenDialog(owner, options);
  if (!chosen) return std::nullopt;
  const std::string path = win::Narrow(*chosen);
  if (ImageFileTypeOf(path) == TImageFileType::ftUnknown) {
    win::ShowMessage(owner, win::Widen(kUnknownFileTypeText), L"Error", win::TMessageButtons::mbOK);
    return std::nullopt;
  }
  win::TWaitCursor hourglass;
  return LoadImageFile(path);
}
