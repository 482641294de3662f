#include "mail/win/email_dialog.h"

#include "mail/emailed_image.h"
#include "mail/socket_errors.h"
#include "mail/winsock_library.h"
#include "output/write_image_file.h"
#include "platform/temp_file.h"
#include "platform/text_trim.h"
#include "platform/win32/known_folders.h"
#include "platform/win32/message_box.h"
#include "platform/win32/text.h"
#include "platform/win32/wait_cursor.h"

namespace {

constexpr int kClientWidth = 484, kClientHeight = 318;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kSendItId = IDOK, kAbortId = IDCANCEL;
constexpr int kTimeOutSeconds = 40;
constexpr std::size_t kImageNameKept = 50;
constexpr std::size_t kFieldKept = 255;
constexpr win::TFontDesign kFont{L"Arial", 13};
constexpr win::TFontDesign kBoldFont{L"Arial", 13, FW_BOLD};

constexpr wchar_t kNoRecipientText[] = L"No recipient address has been entered.  Please correct.";
constexpr wchar_t kNoWinsockText[] =
    L"The necessary winsock files are not present on your computer.  Internet connections cannot be made.  E-Mail "
    L"cannot be sent.";
constexpr wchar_t kRejectedText[] =
    L"No recipients specified or no return address specified. This E-Mail attempt will abort.";

constexpr char kNoReplyText[] = "The SMTP server closed the connection without a reply.";

std::wstring ConnectionFailedText(const std::wstring& product) {
  return L"A connection could not be made to the SMTP Server. You are either not connected to the Internet or an "
         L"invalid SMTP Server has been specified.  To change the SMTP Server, you will need to go to " +
         std::wstring(L" the configuration section of ") + product + L" by right clicking on the system tray icon.";
}

const win::TWindowClass& DialogClass() {
  static const win::TWindowClass dialog_class(win::TWindow::ClassDescription(L"TDoTheEmail"));
  return dialog_class;
}

std::string Kept(const win::TControl& field, std::size_t limit) {
  return win::Narrow(field.Caption().substr(0, limit));
}

// A send in progress: the hourglass, and neither button can be pressed.
// Leaving it gives the focus back to the control that had it, since
// disabling a focused button takes the focus away.
class TBusyState {
 public:
  TBusyState(win::TButton& send, win::TButton& abort) : send_(send), abort_(abort), focus_(GetFocus()) {
    send_.SetEnabled(false);
    abort_.SetEnabled(false);
  }
  ~TBusyState() {
    send_.SetEnabled(true);
    abort_.SetEnabled(true);
    if (GetFocus() == nullptr && focus_ != nullptr) SetFocus(focus_);
  }
  TBusyState(const TBusyState&) = delete;
  TBusyState& operator=(const TBusyState&) = delete;

 private:
  win::TWaitCursor hourglass_;
  win::TButton& send_;
  win::TButton& abort_;
  HWND focus_;
};

// Passes the error being handled on; a server that hung up without a reply
// line gets a text that says so instead of an empty one.
[[noreturn]] void RethrowWithReason() {
  try {
    throw;
  } catch (const EServerError& error) {
    if (error.what()[0] == '\0') throw EServerError(kNoReplyText);
    throw;
  }
}

}  // namespace

TDoTheEmail::TDoTheEmail(HWND owner, TContext context) : context_(context) {
  MySMTP.SetTimeOut(kTimeOutSeconds);
  MySMTP.SetMailMessage(&EMess);

  CreateFormForClient(owner, DialogClass().Name(), L"Send Image Via E-Mail", kStyle, kClientWidth, kClientHeight);
  SetDefaultButton(kSendItId);
  ImageName = &Edit({160, 6, 151, 24});
  ToPerson = &Edit({160, 34, 233, 24});
  ToAddress = &Edit({160, 62, 233, 24});
  Subject = &Edit({160, 90, 313, 24});
  MyMemo = &Edit({8, 140, 469, 149}, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN);
  Label(L"Image Name", {8, 12, 145, 16}, SS_RIGHT, Font(kFont));
  Label(L"Recipient Name", {8, 40, 145, 16}, SS_RIGHT, Font(kFont));
  Label(L"Recipient E-Mail Address", {0, 68, 153, 16}, SS_RIGHT, Font(kFont));
  Label(L"E-Mail Subject", {12, 96, 141, 16}, SS_RIGHT, Font(kFont));
  Label(L"Message Text", {8, 124, 120, 16}, SS_LEFT, Font(kBoldFont));

  auto button = [this](const wchar_t* caption, DWORD style, int left, int id) {
    return &Own(std::make_unique<win::TButton>(Handle(), caption, style, win::TBounds{left, 295, 60, 21}, id),
                Font(kFont));
  };
  SendIt = button(L"&Send It", BS_DEFPUSHBUTTON, 175, kSendItId);
  AbortButton = button(L"&Abort", BS_PUSHBUTTON, 243, kAbortId);
  SendIt->OnClick = [this] { SendItClick(); };
  AbortButton->OnClick = [this] { AbortButtonClick(); };
}

TDoTheEmail::~TDoTheEmail() = default;

win::TEdit& TDoTheEmail::Edit(win::TBounds bounds, DWORD style) {
  return Own(std::make_unique<win::TEdit>(Handle(), style, bounds), Font(kFont));
}

void TDoTheEmail::Label(const std::wstring& text, win::TBounds bounds, DWORD alignment, HFONT font) {
  Own(std::make_unique<win::TLabel>(Handle(), text, bounds, 0, alignment), font);
}

bool TDoTheEmail::Execute() {
  FormShow();
  ShowModal();
  FormClose();
  return sent_;
}

void TDoTheEmail::FormShow() {
  sent_ = false;
  const TEMailFields& fields = context_.Fields;
  ImageName->SetCaption(win::Widen(fields.ImageName));
  ToPerson->SetCaption(win::Widen(fields.ToName));
  ToAddress->SetCaption(win::Widen(fields.ToAddress));
  Subject->SetCaption(win::Widen(fields.Subject));
  MyMemo->SetCaption(win::Widen(fields.Message));
  ToPerson->SetFocus();
}

void TDoTheEmail::FormClose() {
  TEMailFields& fields = context_.Fields;
  fields.ImageName = Kept(*ImageName, kImageNameKept);
  fields.ToName = Kept(*ToPerson, kFieldKept);
  fields.ToAddress = Kept(*ToAddress, kFieldKept);
  fields.Subject = Kept(*Subject, kFieldKept);
  fields.Message = win::Narrow(MyMemo->Caption());
}

TEMailFields TDoTheEmail::Typed() const {
  return {win::Narrow(ImageName->Caption()), win::Narrow(ToPerson->Caption()), win::Narrow(ToAddress->Caption()),
          win::Narrow(Subject->Caption()), win::Narrow(MyMemo->Caption())};
}

std::string TDoTheEmail::ImageFolder() const {
  const std::wstring program_dir = win::Widen(context_.ProgramDir);
  const std::string folder =
      EMailImageFolder(context_.ProgramDir, win::CanCreateFilesIn(program_dir), win::Narrow(win::TempFolder()));
  win::CreateFolder(win::Widen(folder));  // if it fails, writing the image says so
  return folder;
}

std::string TDoTheEmail::SaveTempImage(const std::string& path) {
  const TEMailedImage target = EMailedImageOf(path);
  WriteImageFile(target.Format, context_.Image, target.Path);
  return target.Path;
}

void TDoTheEmail::ShowError(const std::wstring& text, UINT icon) {
  win::ShowMessage(Handle(), text, L"Error", win::TMessageButtons::mbOK, icon);
}

void TDoTheEmail::SendItClick() {
  const TEMailFields typed = Typed();
  const std::string path = EMailImagePath(ImageFolder(), typed.ImageName);
  TBusyState busy(*SendIt, *AbortButton);
  // Only the file about to be written goes: a name with another ending
  // writes "<name>.BMP" and leaves a file of the typed name alone.
  platform::DeleteFileQuietly(EMailedImageOf(path).Path);
  const std::string written = SaveTempImage(path);

  if (Trim(typed.ToAddress).empty()) {
    ShowError(kNoRecipientText);
    ToAddress->SetFocus();
    return;
  }
  if (!TagWinsock::Instance().IsPresent()) {
    ShowError(kNoWinsockText);
    Close();
    return;
  }
  sent_ = Transfer(typed, written);
  Close();
}

bool TDoTheEmail::Transfer(const TEMailFields& typed, const std::string& image_path) {
  if (!MySMTP.IsConnected()) MySMTP.SetWinsockLoaded(true);
  bool quit_sent = false;
  try {
    const TEMailAccount& account = context_.Account;
    ComposeImageMessage(EMess, ImageMessageFieldsOf(account, typed, context_.ProductName, image_path));
    MySMTP.SetServer(account.SMTPHost);
    MySMTP.SetDefaultPort(static_cast<std::uint16_t>(account.SMTPPort));

    bool sent = false;
    if (ConnectOrSay()) {
      sent = true;
      try {
        MySMTP.Send();
      } catch (const EMessageError&) {
        sent = false;
        ShowError(kRejectedText);
      }
      quit_sent = true;
      MySMTP.Disconnect();
    }
    MySMTP.SetWinsockLoaded(false);
    return sent;
  } catch (...) {
    // A negative reply or a lost connection: end the conversation politely
    // where it is still open and give the library back, then let the error
    // be reported. The dialog stays open for another try.
    if (!quit_sent) {
      try {
        MySMTP.Disconnect();
      } catch (const std::exception&) {
      }
    }
    MySMTP.SetWinsockLoaded(false);
    RethrowWithReason();
  }
}

bool TDoTheEmail::ConnectOrSay() {
  try {
    MySMTP.Connect();
    return true;
  } catch (const ESocketError&) {
  } catch (const ETimedOutError&) {
  }
  ShowError(ConnectionFailedText(win::Widen(context_.ProductName)), MB_ICONEXCLAMATION);
  return false;
}
