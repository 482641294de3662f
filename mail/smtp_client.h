// TmsSMTP: sends one composed mail message to an SMTP server with the
// classic dialogue (greeting, HELO, MAIL FROM, RCPT TO per recipient, DATA,
// the message, ".", QUIT) over the socket transport.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "mail/mail_base.h"
#include "mail/message.h"
#include "mail/temp_file_stream.h"

// A negative server reply; the text is the reply line.
class EServerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TmsSMTP : public TmsMailBase {
 public:
  using TSmtpEvent = std::function<void(TmsSMTP& sender)>;
  // Set `proceed` to true to go on with the next recipient.
  using TAddressRejectedEvent =
      std::function<void(TmsSMTP& sender, const std::string& address, const std::string& server_reply, bool& proceed)>;

  TmsSMTP();
  explicit TmsSMTP(platform::TSocketApi& api);

  // The message to send; not owned.
  TmsMessage* MailMessage() const { return mail_message_; }
  void SetMailMessage(TmsMessage* message) { mail_message_ = message; }
  // When not empty, the envelope goes to these instead of the message's
  // Recipients, CC and BCC.
  std::vector<std::string>& ExplicitRecipients() { return explicit_recipients_; }

  TSmtpEvent OnPrepare, OnSending, OnMailSent;
  TAddressRejectedEvent OnAddressRejected;

  // Opens and greets, unless already connected.
  void Connect();
  // Sends MailMessage over the open connection.
  void Send();
  // QUIT and close, if connected.
  void Disconnect();

  void Open() override;
  void Handshake() override;
  void Quit() override;

  // The temporary file holding the composed message while Send runs, or
  // an empty name.
  std::string MessageFileName() const { return message_file_ ? message_file_->FileName() : std::string(); }

 private:
  // Raises EServerError with the reply line unless ReadReply gives
  // `hundreds` xx.
  void RequireReply(int hundreds);
  void SendRecipient(const std::string& address);

  TmsMessage* mail_message_ = nullptr;
  std::unique_ptr<TTempFileStream> message_file_;
  std::vector<std::string> explicit_recipients_;
};
