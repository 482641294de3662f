// The actions on the current image: saving, printing, copying, e-mailing,
// viewing, and opening an image file in its place.
#include <utility>

#include "app/capture_settings.h"
#include "app/program_dir.h"
#include "app/win/capture_defaults.h"
#include "app/win/main_win.h"
#include "app/win/pict_menu.h"
#include "capture/win/draw_thumb.h"
#include "mail/win/email_dialog.h"
#include "output/win/copy_to_clip.h"
#include "output/win/open_image_dialog.h"
#include "output/win/printing.h"
#include "output/win/save_image.h"
#include "output/win/view_window.h"
#include "platform/win32/message_box.h"
#include "platform/win32/text.h"

void TMainWin::ShowThumb() {
  RECT box{};
  GetClientRect(ThumbImage->Handle(), &box);
  ThumbImage->SetPicture(DrawThumb(MyImage, box.right, box.bottom));
}

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
    case TFaceRadio::EMailIt:
      if (!DidAnEMail()) return;
      break;
    default:
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
      {pcEMail, TFaceRadio::EMailIt},
  };
  for (const auto& [item, action] : kItemActions) {
    if (item == command) RunAction(action);
  }
}

bool TMainWin::DidAnEMail() {
  TCaptureSettings& settings = context_.Settings;
  const wchar_t* missing = settings.SMTPHost.empty()       ? L"SMTP Host"
                           : settings.EMailAddress.empty() ? L"return E-Mail Address"
                                                           : nullptr;
  if (missing != nullptr) {
    const std::wstring question =
        std::wstring(L"Your E-Mail settings have not yet been configured. The entry for your ") + missing +
        L" is blank.  Would you like to configure it now?";
    if (win::ShowMessage(Handle(), question, L"Error", win::TMessageButtons::mbYesNo) == win::TMessageAnswer::maYes) {
      OpenConfiguration(spEMail);
    }
    return false;
  }

  const TEMailAccount account{settings.SMTPHost, settings.SMTPPort, settings.EMailName, settings.EMailAddress,
                              settings.AttachmentEncoding};
  TEMailFields fields{settings.EMailFile, settings.LastToName, settings.LastToAddress, settings.LastSubject,
                      settings.LastMessage};
  TDoTheEmail dialog(Handle(), {MyImage, account, fields, ProgramDir, VersionInfo.ProductName()});
  const bool sent = dialog.Execute();
  settings.EMailFile = fields.ImageName;
  settings.LastToName = fields.ToName;
  settings.LastToAddress = fields.ToAddress;
  settings.LastSubject = fields.Subject;
  settings.LastMessage = fields.Message;
  return sent;
}

void TMainWin::ViewButtonClick() { ShowViewWindow(Handle(), MyImage); }

void TMainWin::PopViewClick() {
  std::optional<TBitmap> opened = OpenImageFile(Handle());
  if (!opened) return;
  MyImage = std::move(*opened);
  ShowThumb();
  DoActivate();
  SetScreen(smPrint);
}
