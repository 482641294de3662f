#include "mail/smtp_client.h"

#include "mail/string_table.h"
#include "platform/message_pump.h"

namespace {

constexpr std::uint16_t kSmtpPort = 25;

}  // namespace

TmsSMTP::TmsSMTP() {
  SetServiceName("smtp");
  SetDefaultPort(kSmtpPort);
}

TmsSMTP::TmsSMTP(platform::TSocketApi& api) : TmsMailBase(api) {
  SetServiceName("smtp");
  SetDefaultPort(kSmtpPort);
}

void TmsSMTP::RequireReply(int hundreds) {
  // Integer division truncates toward zero, so -1 (no reply) never passes.
  if (ReadReply() / 100 != hundreds) throw EServerError(LastReply());
}

void TmsSMTP::Open() {
  if (Server().empty()) RaiseSocketError(sServerRequired);
  ResetState();
  TmsMailBase::Open();
}

void TmsSMTP::Handshake() {
  ConnectSocket();
  RequireReply(2);
  WriteLine("HELO " + LocalHostName());
  if (ReadReply() / 100 == 2) return;
  // Some servers refuse the name offered; a bare HELO is the fallback.
  WriteLine("HELO");
  RequireReply(2);
}

void TmsSMTP::Quit() {
  ProcessPendingMessages();
  WriteLine("QUIT");
  RequireReply(2);
}

void TmsSMTP::Connect() {
  if (IsConnected()) return;
  Open();
  Handshake();
}

void TmsSMTP::Disconnect() {
  if (!IsConnected()) return;
  Quit();
  Close();
}

void TmsSMTP::SendRecipient(const std::string& address) {
  WriteLine("RCPT TO:<" + address + ">");
  if (ReadReply() / 100 == 2) return;
  bool proceed = false;
  if (OnAddressRejected) OnAddressRejected(*this, address, LastReply(), proceed);
  if (!proceed) throw EServerError(LastReply());
}

void TmsSMTP::Send() {
  if (mail_message_ == nullptr) RaiseSocketError(sMailMessageRequired);
  TmsMessage& message = *mail_message_;
  message.Validate();

  // The file is removed on every way out of here.
  struct TFileRemover {
    std::unique_ptr<TTempFileStream>& file;
    ~TFileRemover() { file.reset(); }
  } remover{message_file_};
  message_file_ = std::make_unique<TTempFileStream>();

  if (OnPrepare) OnPrepare(*this);
  message.Encode(*message_file_);

  if (OnSending) OnSending(*this);
  const std::string& sender = message.Sender().Address();
  if (!sender.empty()) {
    WriteLine("MAIL FROM:<" + sender + ">");
    RequireReply(2);
  }

  if (explicit_recipients_.empty()) {
    for (const TmsAddressList* list : {&message.Recipients(), &message.CC(), &message.BCC()}) {
      for (std::size_t i = 0; i < list->Count(); ++i) SendRecipient(list->Items(i).Address());
    }
  } else {
    for (const std::string& address : explicit_recipients_) SendRecipient(address);
  }

  WriteLine("DATA");
  RequireReply(3);
  SendStream(*message_file_);
  // The file ends in CR LF already; an empty line and "." end the data.
  WriteLine("");
  WriteLine(".");
  RequireReply(2);

  if (OnMailSent) OnMailSent(*this);
}
