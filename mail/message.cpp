#include "mail/message.h"

#include <algorithm>

#include "mail/message_encoder.h"
#include "mail/string_table.h"
#include "mail/text_case.h"

namespace {

bool HasAddress(const TmsAddressList& list) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (!list.Items(i).Address().empty()) return true;
  }
  return false;
}

// The content type that the body writers are chosen by.
std::string DecideContentType(const TmsCustomMessage& message, const std::string& stored) {
  const TmsAttList& attachments = message.Attachments();
  const std::size_t count = attachments.Count();
  const bool bodyEmpty = message.Body().empty();
  if (message.Encoding() == meUU) return "";
  if (count > 0) {
    bool allAlternative = true;
    for (std::size_t i = 0; i < count; ++i) allAlternative = allAlternative && IsAlternativePart(attachments.Items(i));
    if (allAlternative) return "multipart/alternative";
  }
  if (count == 1 && bodyEmpty) {
    const std::string name = LowerFileName(attachments.Items(0));
    if (name == kRtfBodyName) return "text/rtf";
    if (name == kHtmlBodyName) return "text/html";
  }
  if (bodyEmpty) {
    if (count == 0) return "text/plain";
    if (count == 1) return attachments.Items(0).ContentType();
    return "multipart/mixed";
  }
  if (count > 0) return "multipart/mixed";
  return stored.empty() ? "text/plain" : stored;
}

}  // namespace

void TmsCustomMessage::Validate() const {
  if (sender_.Address().empty()) throw EMessageError(LoadStr(sSenderRequired));
}

void TmsCustomMessage::Clear() {
  body_.clear();
  attachments_.Clear();
  sender_.Clear();
  headers_.clear();
  subject_.clear();
  encoding_ = meMIME;
  charSet_ = csUSASCII;
  contentType_.clear();
}

void TmsCustomMessage::SetAttachments(const TmsAttList& attachments) {
  attachments_.Assign(attachments);
  contentType_ = attachments_.Count() == 0 ? "text/plain" : "multipart/mixed";
}

std::string TmsCustomMessage::ContentType() {
  contentType_ = ShortText(LowerCase(DecideContentType(*this, contentType_)));
  return contentType_;
}

void TmsCustomMessage::SetContentType(std::string_view contentType) {
  contentType_ = ShortText(LowerCase(contentType));
}

void TmsMessage::Validate() const {
  TmsCustomMessage::Validate();
  if (!HasAddress(recipients_) && !HasAddress(cc_) && !HasAddress(bcc_)) {
    throw EMessageError(LoadStr(sRecipientRequired));
  }
}

void TmsMessage::Encode(TStream& target) {
  TmsMessageEncoder encoder(*this, target);
  encoder.Encode();
}

void TmsMessage::Clear() {
  TmsCustomMessage::Clear();
  cc_.Clear();
  bcc_.Clear();
  recipients_.Clear();
}
