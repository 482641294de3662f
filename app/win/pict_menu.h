// The thumbnail's menu, PictMenu: the actions on the held image, whatever
// action radio button is checked.
#pragma once

#include "platform/win32/popup_menu.h"

enum TPictCommand : unsigned {
  pcView = 200,
  pcSaveBitmap,
  pcSaveGIF,
  pcSaveJPEG,
  pcPrintPixel,
  pcPrintFull,
  pcCopy,
  pcEMail,
};

// The thumbnail's menu: view, the three saves, the two prints, copy and e-mail.
win::TPopupMenu BuildPictMenu();
