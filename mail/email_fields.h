// What the e-mail dialog works with: the e-mail settings a send uses, the
// fields the user types, and the message fields they give.
#pragma once

#include <cstdint>
#include <string>

#include "mail/image_message.h"

struct TEMailAccount {
  std::string SMTPHost;
  std::int32_t SMTPPort = 25;
  std::string Name;                     // the sender's name
  std::string Address;                  // the return address
  std::int32_t AttachmentEncoding = 0;  // 0 MIME, otherwise UUEncode
};

// The dialog's fields as typed: the image name ("EMail File") and the
// recipient, subject and text. The last ones of a run are shown again.
struct TEMailFields {
  std::string ImageName;
  std::string ToName;
  std::string ToAddress;
  std::string Subject;
  std::string Message;
};

// The message that sends `image_path` from `account` as `typed` asks.
TImageMessageFields ImageMessageFieldsOf(const TEMailAccount& account, const TEMailFields& typed,
                                         const std::string& product_name, const std::string& image_path);
