// The mail message held in memory: sender, recipients, subject, extra
// header lines, body lines and attachments, and its wire form (RFC 822
// headers, then a MIME or a UUEncode body) written into a stream.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "mail/attachments.h"
#include "mail/mail_address.h"
#include "mail/text_limits.h"
#include "platform/stream.h"

enum TMsgEncoding : std::uint8_t { meMIME, meUU };
enum TCharSet : std::uint8_t { csUSASCII, csISO8859, csISO2022jp };
enum TPriority : std::uint8_t { ptLow, ptNormal, ptHigh };

// Raised by Validate with a text of the string table.
class EMessageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TmsCustomMessage {
 public:
  TmsCustomMessage() = default;
  virtual ~TmsCustomMessage() = default;
  TmsCustomMessage(const TmsCustomMessage&) = delete;
  TmsCustomMessage& operator=(const TmsCustomMessage&) = delete;

  // Raises EMessageError when the message cannot be sent as it is.
  virtual void Validate() const;
  // Writes the complete wire form from the start of `target`, every line
  // ending in CR LF and lines beginning with "." doubled for SMTP. Removes
  // the header lines that the message writes itself from Headers, and
  // replaces an HTML or RTF Body by its quoted-printable lines.
  virtual void Encode(TStream& target) = 0;
  // Empties the message; Encoding and CharSet go back to their defaults.
  virtual void Clear();

  TmsMailAddress& Sender() { return sender_; }
  const TmsMailAddress& Sender() const { return sender_; }
  const std::string& Subject() const { return subject_; }
  void SetSubject(std::string_view subject) { subject_ = ShortText(subject); }
  TMsgEncoding Encoding() const { return encoding_; }
  void SetEncoding(TMsgEncoding encoding) { encoding_ = encoding; }
  TCharSet CharSet() const { return charSet_; }
  void SetCharSet(TCharSet charSet) { charSet_ = charSet; }
  // Extra header lines, each complete ("Name: value"); continuation lines
  // begin with a blank or a tab.
  TStringList& Headers() { return headers_; }
  const TStringList& Headers() const { return headers_; }
  // Each item is written as one line; an item may itself hold CR LF.
  TStringList& Body() { return body_; }
  const TStringList& Body() const { return body_; }
  TmsAttList& Attachments() { return attachments_; }
  const TmsAttList& Attachments() const { return attachments_; }
  // Replaces the list with copies; the stored content type becomes
  // "multipart/mixed", or "text/plain" for an empty list.
  void SetAttachments(const TmsAttList& attachments);

  // The content type the message is written as (decided from the encoding,
  // the body and the attachments); the decision is also stored.
  std::string ContentType();
  void SetContentType(std::string_view contentType);

 private:
  TmsMailAddress sender_;
  std::string subject_;
  TMsgEncoding encoding_ = meMIME;
  TCharSet charSet_ = csUSASCII;
  TStringList headers_;
  TStringList body_;
  TmsAttList attachments_;
  std::string contentType_ = "text/plain";
};

class TmsMessage : public TmsCustomMessage {
 public:
  void Validate() const override;
  void Encode(TStream& target) override;
  // Also empties Recipients, CC and BCC; Priority and ReturnReceipt stay.
  void Clear() override;

  TmsAddressList& Recipients() { return recipients_; }
  const TmsAddressList& Recipients() const { return recipients_; }
  TmsAddressList& CC() { return cc_; }
  const TmsAddressList& CC() const { return cc_; }
  // Receive only RCPT TO; never written into the headers.
  TmsAddressList& BCC() { return bcc_; }
  const TmsAddressList& BCC() const { return bcc_; }
  bool ReturnReceipt() const { return returnReceipt_; }
  void SetReturnReceipt(bool returnReceipt) { returnReceipt_ = returnReceipt; }
  TPriority Priority() const { return priority_; }
  void SetPriority(TPriority priority) { priority_ = priority; }

 private:
  TmsAddressList recipients_;
  TmsAddressList cc_;
  TmsAddressList bcc_;
  bool returnReceipt_ = false;
  TPriority priority_ = ptNormal;
};
