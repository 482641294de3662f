#include "mail/email_fields.h"

TImageMessageFields ImageMessageFieldsOf(const TEMailAccount& account, const TEMailFields& typed,
                                         const std::string& product_name, const std::string& image_path) {
  TImageMessageFields fields;
  fields.SenderName = account.Name;
  fields.SenderAddress = account.Address;
  fields.RecipientName = typed.ToName;
  fields.RecipientAddress = typed.ToAddress;
  fields.Subject = typed.Subject;
  fields.MessageText = typed.Message;
  fields.ProductName = product_name;
  fields.ImagePath = image_path;
  fields.AttachmentEncoding = account.AttachmentEncoding;
  return fields;
}
