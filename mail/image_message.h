// The message that the e-mail flow sends: the captured image file attached
// to one message from the configured sender to one recipient.
#pragma once

#include <string>

#include "mail/message.h"

struct TImageMessageFields {
  std::string SenderName;        // "EMail Name"
  std::string SenderAddress;     // "EMail Address"
  std::string RecipientName;     // as typed; trimmed here
  std::string RecipientAddress;  // as typed; trimmed here
  std::string Subject;           // as typed; trimmed here
  std::string MessageText;       // the whole text, one body item
  std::string ProductName;       // goes into "X-Mailer: "
  std::string ImagePath;         // the image file already written
  int AttachmentEncoding = 0;    // "Attachment Encoding": 0 MIME, otherwise UUEncode
};

// Clears `message` and fills it in the order the send flow does. Reading
// the image file can raise EStreamError; the message then has no attachment.
void ComposeImageMessage(TmsMessage& message, const TImageMessageFields& fields);
