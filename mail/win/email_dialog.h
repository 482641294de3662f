// TDoTheEmail, the "Send Image Via E-Mail" dialog: the user names the image
// file and gives the recipient, a subject and a text; "&Send It" writes the
// current image beside the program (or, where the program's folder cannot be
// written, into the user's temporary folder), attaches it to one message and
// sends that through the configured SMTP server.
#pragma once

#include <string>

#include "gif/bitmap.h"
#include "mail/email_fields.h"
#include "mail/message.h"
#include "mail/smtp_client.h"
#include "platform/win32/control.h"
#include "platform/win32/form.h"

class TDoTheEmail : public win::TForm {
 public:
  struct TContext {
    TBitmap& Image;  // the current image; the GIF writer makes it 24-bit
    const TEMailAccount& Account;
    TEMailFields& Fields;
    std::string ProgramDir;   // where the image file is written if it can be
    std::string ProductName;  // for "X-Mailer" and the connection message
  };

  TDoTheEmail(HWND owner, TContext context);
  ~TDoTheEmail() override;

  // Shows the dialog until it is closed; true when a message went through.
  bool Execute();

 private:
  void FormShow();
  void FormClose();
  void SendItClick();
  void AbortButtonClick() { Close(); }
  // The folder the image file goes to, created when it is missing.
  std::string ImageFolder() const;
  // Writes the current image to `path` in the format its ending asks for;
  // returns the path written (with ".BMP" appended for other endings).
  std::string SaveTempImage(const std::string& path);
  // Connects, sends and disconnects; true when the message went through.
  // A failure that is not one of the dialog's own messages passes on, after
  // QUIT (while the connection is open) and with the library unloaded.
  bool Transfer(const TEMailFields& typed, const std::string& image_path);
  bool ConnectOrSay();
  // The fields as they stand now.
  TEMailFields Typed() const;
  void ShowError(const std::wstring& text, UINT icon = 0);
  win::TEdit& Edit(win::TBounds bounds, DWORD style = 0);
  void Label(const std::wstring& text, win::TBounds bounds, DWORD alignment, HFONT font);

  TContext context_;
  TmsMessage EMess;
  TmsSMTP MySMTP;
  bool sent_ = false;
  win::TEdit* ImageName = nullptr;
  win::TEdit* ToPerson = nullptr;
  win::TEdit* ToAddress = nullptr;
  win::TEdit* Subject = nullptr;
  win::TEdit* MyMemo = nullptr;
  win::TButton* SendIt = nullptr;
  win::TButton* AbortButton = nullptr;
};
