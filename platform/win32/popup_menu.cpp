#include "platform/win32/popup_menu.h"

namespace win {

TPopupMenu::TPopupMenu() : menu_(CreatePopupMenu()) {}

void TPopupMenu::AddItem(UINT command, const std::wstring& caption, bool enabled) {
  AppendMenuW(menu_.Get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, caption.c_str());
}

void TPopupMenu::AddSeparator() { AppendMenuW(menu_.Get(), MF_SEPARATOR, 0, nullptr); }

void TPopupMenu::AddSubmenu(const std::wstring& caption, TPopupMenu submenu) {
  HMENU handle = submenu.menu_.Get();
  if (AppendMenuW(menu_.Get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(handle), caption.c_str())) {
    submenu.menu_.Release();  // now destroyed with this menu
  }
}

void TPopupMenu::PopUp(HWND owner, int x, int y) const {
  SetForegroundWindow(owner);
  TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace win
