#include "app/win/pict_menu.h"

win::TPopupMenu BuildPictMenu() {
  win::TPopupMenu menu;
  menu.AddItem(pcView, L"&View Image Actual Size");
  menu.AddSeparator();
  menu.AddItem(pcSaveBitmap, L"Save As &Bitmap");
  menu.AddItem(pcSaveGIF, L"Save As &GIF");
  menu.AddItem(pcSaveJPEG, L"Save As &JPEG");
  menu.AddItem(pcPrintPixel, L"&Print Using Pixel Size");
  menu.AddItem(pcPrintFull, L"Print &Filling Page");
  menu.AddItem(pcCopy, L"&Copy To Clipboard");
  menu.AddItem(pcEMail, L"&E-Mail Image");
  return menu;
}
