// Writes one message's wire form into a stream. An encoder is built for
// one Encode call; the header block is the subclass's part, the body
// writers (plain text, multipart, single attachment, formatted body, UU)
// are shared.
#pragma once

#include <string>
#include <string_view>

#include "mail/line_writer.h"
#include "mail/message.h"
#include "platform/stream.h"

class TmsCustomEncoder {
 public:
  TmsCustomEncoder(TmsCustomMessage& message, TStream& target);
  virtual ~TmsCustomEncoder() = default;
  TmsCustomEncoder(const TmsCustomEncoder&) = delete;
  TmsCustomEncoder& operator=(const TmsCustomEncoder&) = delete;

  // Header block, then the body chosen by encoding and content type.
  void Encode();

 protected:
  virtual void WriteHeaders() = 0;

  void WriteLine(std::string_view text) { writer_.WriteLine(text); }
  void WriteLines(const TStringList& lines);
  // Lines of an encoder, which hold no line ends of their own.
  void WriteEncodedLines(const TStringList& lines);
  // A display name or subject as it goes into a header: an ISO-2022-JP text
  // becomes an encoded word, a name with special characters is quoted.
  std::string HeaderName(std::string_view name) const;
  std::string HeaderText(std::string_view text) const;

  TmsCustomMessage& message_;

 private:
  void WriteTextPart();
  void WriteMultipart(const std::string& contentType, bool alternativeMode);
  void WriteAttachmentPart(const TmsAttItem& item, bool named);
  void WriteSingleAttachment();
  void WriteFormattedBody(const std::string& contentType);
  void WriteUUBody();
  void WriteContent(const TmsAttItem& item);
  // The quoted-printable lines of the whole Body, items joined by CR LF.
  TStringList EncodeBodyQuotedPrintable();

  TLineWriter writer_;
  TStream& target_;
  bool longLines_ = false;
};

class TmsMessageEncoder final : public TmsCustomEncoder {
 public:
  TmsMessageEncoder(TmsMessage& message, TStream& target) : TmsCustomEncoder(message, target), mail_(message) {}

 protected:
  void WriteHeaders() override;

 private:
  void WriteAddressLines(std::string_view label, const TmsAddressList& list);

  TmsMessage& mail_;
};
