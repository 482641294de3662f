#include "app/win/tray_menu.h"

win::TPopupMenu BuildTrayMenu() {
  win::TPopupMenu menu;
  menu.AddItem(tcCaptureImage, L"Capt&ure Image");
  menu.AddItem(tcOpenImage, L"&Open Image");
  menu.AddItem(tcConfigure, L"&Configure");
  win::TPopupMenu tools;
  tools.AddItem(tcRestoreHooks, L"&Restore Keyboard and Mouse Hooks");
  menu.AddSubmenu(L"Too&ls", std::move(tools));
  menu.AddItem(tcHelp, L"&Help");
  menu.AddItem(tcAbout, L"&About");
  menu.AddSeparator();
  menu.AddItem(tcWebSite, L"Grab&well Web Site");
  menu.AddItem(tcUpdate, L"&Update Grabwell");
  menu.AddSeparator();
  menu.AddItem(tcTerminate, L"&Terminate Grabwell");
  return menu;
}
