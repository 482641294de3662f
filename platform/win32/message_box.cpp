#include "platform/win32/message_box.h"

namespace win {

TMessageAnswer ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, TMessageButtons buttons,
                           UINT icon) {
  UINT type = icon | (buttons == TMessageButtons::mbYesNo ? MB_YESNO : MB_OK);
  switch (MessageBoxW(owner, text.c_str(), caption.c_str(), type)) {
    case IDOK:
      return TMessageAnswer::maOK;
    case IDYES:
      return TMessageAnswer::maYes;
    case IDNO:
      return TMessageAnswer::maNo;
    default:
      return TMessageAnswer::maCancelled;
  }
}

void ShowSystemError(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), L"System Error", MB_OK | MB_SYSTEMMODAL);
}

}  // namespace win
