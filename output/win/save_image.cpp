#include "output/win/save_image.h"

#include "output/write_image_file.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/text.h"
#include "platform/win32/wait_cursor.h"

namespace {

// Ask before overwriting, no read-only box, only existing folders.
constexpr DWORD kSaveOptions = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

struct TSaveDialog {
  const wchar_t* Title;
  const wchar_t* Filter;
  const wchar_t* DefaultExtension;
};

TSaveDialog DialogOf(TSaveFormat format) {
  switch (format) {
    case TSaveFormat::sfGIF:
      return {L"Save As GIF", L"GIF files (*.gif)|*.GIF", L"gif"};
    case TSaveFormat::sfJPEG:
      return {L"Save As JPEG", L"JPEG files (*.jpg)|*.JPG", L"jpg"};
    case TSaveFormat::sfBitmap:
      break;
  }
  return {L"Save As Bitmap", L"Bitmap files (*.bmp)|*.BMP", L"bmp"};
}

}  // namespace

void DoSaveAs(HWND owner, TSaveFormat format, TBitmap& image, TFileNumber& number) {
  const TSaveDialog dialog = DialogOf(format);
  win::TFileDialogOptions options{dialog.Title, dialog.Filter, dialog.DefaultExtension,
                                  win::Widen(number.ProposedName()), kSaveOptions};
  const std::optional<std::wstring> chosen = win::ShowSaveDialog(owner, options);
  if (!chosen) return;
  win::TWaitCursor hourglass;
  CompleteSave(number, format, win::Narrow(*chosen),
               [&](const std::string& path) { WriteImageFile(format, image, path); });
}
