// A pop-up menu built item by item and shown at a screen position; its
// commands arrive at the owner window as WM_COMMAND.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace win {

class TPopupMenu {
 public:
  TPopupMenu();

  void AddItem(UINT command, const std::wstring& caption, bool enabled = true);
  void AddSeparator();
  // Appends `submenu` under `caption`; this menu takes it over.
  void AddSubmenu(const std::wstring& caption, TPopupMenu submenu);

  HMENU Handle() const { return menu_.Get(); }
  int ItemCount() const { return GetMenuItemCount(menu_.Get()); }

  // Shows the menu at screen position x, y for `owner`, which receives the
  // chosen command. The owner is made the foreground window first (it may
  // stay hidden) so that the menu closes when the user clicks elsewhere,
  // and a WM_NULL is posted afterwards so that a second pop-up works at once.
  void PopUp(HWND owner, int x, int y) const;

 private:
  TMenu menu_;
};

}  // namespace win
