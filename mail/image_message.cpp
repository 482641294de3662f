#include "mail/image_message.h"

#include "platform/text_trim.h"

void ComposeImageMessage(TmsMessage& message, const TImageMessageFields& fields) {
  message.Clear();
  message.Sender().SetAddress(fields.SenderAddress);
  message.Sender().SetName(fields.SenderName);
  message.Headers().push_back("X-Mailer: " + fields.ProductName);
  message.SetEncoding(fields.AttachmentEncoding == 0 ? meMIME : meUU);
  message.SetReturnReceipt(false);
  message.Recipients().Add(Trim(fields.RecipientAddress), Trim(fields.RecipientName));
  message.SetSubject(Trim(fields.Subject));
  message.Body().push_back(fields.MessageText);
  message.Attachments().Add(fields.ImagePath);
}
