// The tray icon's menu, MyPopUp, and the commands of its items.
#pragma once

#include "platform/win32/popup_menu.h"

enum TTrayCommand : unsigned {
  tcCaptureImage = 100,
  tcOpenImage,
  tcConfigure,
  tcRestoreHooks,
  tcHelp,
  tcAbout,
  tcWebSite,
  tcUpdate,
  tcTerminate,
};

// Builds the menu with every item in its place.
win::TPopupMenu BuildTrayMenu();
