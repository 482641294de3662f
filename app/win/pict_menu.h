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

// The e-mail item is greyed until the e-mail dialog exists.
win::TPopupMenu BuildPictMenu();
