// The actions on the current image: saving, copying, viewing, and opening
// an image file in its place.
#include <utility>

#include "app/win/main_win.h"
#include "app/win/pict_menu.h"
#include "capture/win/draw_thumb.h"
#include "output/win/copy_to_clip.h"
#include "output/win/open_image_dialog.h"
#include "output/win/printing.h"
#include "output/win/save_image.h"
#include "output/win/view_window.h"
#include "platform/win32/text.h"

void TMainWin::RunAction(TFaceRadio action) {
  switch (action) {
    case TFaceRadio::SaveBit:
      DoSaveAs(Handle(), TSaveFormat::sfBitmap, MyImage, FileNumber);
      break;
    case TFaceRadio::SaveGIF:
      DoSaveAs(Handle(), TSaveFormat::sfGIF, MyImage, FileNumber);
      break;
    case TFaceRadio::SaveJPEG:
      DoSaveAs(Handle(), TSaveFormat::sfJPEG, MyImage, FileNumber);
      break;
    case TFaceRadio::PrintPixel:
      PrintItPixel(Handle(), MyImage, win::Widen(VersionInfo.ProductName()));
      break;
    case TFaceRadio::PrintFilled:
      PrintItFull(Handle(), MyImage, cboxPrintOptions->Caption(), win::Widen(VersionInfo.ProductName()));
      break;
    case TFaceRadio::CopyClip:
      CopyToClip(Handle(), MyImage);
      break;
    default:
      // E-mail is not offered yet.
      return;
  }
  SetDone();
}

void TMainWin::SetDone() {
  AbortButton->SetCaption(L"&Done");
  AbortButton->SetFocus();
}

void TMainWin::PictMenuCommand(unsigned command) {
  if (command == pcView) {
    ViewButtonClick();
    return;
  }
  static constexpr std::pair<unsigned, TFaceRadio> kItemActions[] = {
      {pcSaveBitmap, TFaceRadio::SaveBit},    {pcSaveGIF, TFaceRadio::SaveGIF},
      {pcSaveJPEG, TFaceRadio::SaveJPEG},     {pcPrintPixel, TFaceRadio::PrintPixel},
      {pcPrintFull, TFaceRadio::PrintFilled}, {pcCopy, TFaceRadio::CopyClip},
  };
  for (const auto& [item, action] : kItemActions) {
    if (item == command) RunAction(action);
  }
}

void TMainWin::ViewButtonClick() { ShowViewWindow(Handle(), MyImage); }

void TMainWin::PopViewClick() {
  std::optional<TBitmap> opened = OpenImageFile(Handle());
  if (!opened) return;
  MyImage = std::move(*opened);
  ThumbImage->SetPicture(DrawThumb(MyImage));
  DoActivate();
  SetScreen(smPrint);
}
