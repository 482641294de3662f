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

// The printing and e-mail items are greyed until those actions exist.
win::TPopupMenu BuildPictMenu();
