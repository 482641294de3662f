#include "output/win/save_image.h"

#include "output/write_image_file.h"
#include "platform/win32/common_dialogs.h"
#include "platform/win32/known_folders.h"
#include "platform/win32/message_box.h"
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

// The dialog's own overwrite question, for a path other than the one the
// dialog returned.
bool MayReplace(HWND owner, const wchar_t* title, const std::wstring& path) {
  if (!win::FileExists(path)) return true;
  const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  return win::ShowMessage(owner, name + L" already exists.\nDo you want to replace it?", title,
                          win::TMessageButtons::mbYesNo, MB_ICONEXCLAMATION) == win::TMessageAnswer::maYes;
}

}  // namespace

void DoSaveAs(HWND owner, TSaveFormat format, TBitmap& image, TFileNumber& number) {
  const TSaveDialog dialog = DialogOf(format);
  win::TFileDialogOptions options{dialog.Title, dialog.Filter, dialog.DefaultExtension,
                                  win::Widen(number.ProposedName()), kSaveOptions};
  const std::optional<std::wstring> chosen = win::ShowSaveDialog(owner, options);
  if (!chosen) return;
  win::TWaitCursor hourglass;
  CompleteSave(
      number, format, win::Narrow(*chosen),
      [&](const std::string& path) { return MayReplace(owner, dialog.Title, win::Widen(path)); },
      [&](const std::string& path) { WriteImageFile(format, image, path); });
}
