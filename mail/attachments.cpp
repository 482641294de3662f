#include "mail/attachments.h"

#include <memory>

#include "mail/text_case.h"
#include "mail/text_limits.h"
#include "platform/content_type.h"

std::string_view AttEncodingName(TAttEncoding encoding) {
  switch (encoding) {
    case aeBase64:
      return "Base64";
    case aeQuotedPrintable:
      return "Quoted-Printable";
    case aeNone:
      break;
  }
  return "7bit";
}

TAttEncoding EncodingForContentType(std::string_view contentType) {
  const std::string upper = UpperCase(contentType);
  if (upper == "TEXT/PLAIN" || upper == "TEXT/RTF" || upper == "TEXT/HTML") return aeQuotedPrintable;
  if (upper == "MESSAGE/RFC822") return aeNone;
  return aeBase64;
}

std::string_view FileNameWithoutPath(std::string_view fileName) {
  const auto slash = fileName.find_last_of("\\/");
  return slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
}

std::string LowerFileName(const TmsAttItem& item) { return LowerCase(FileNameWithoutPath(item.FileName())); }

bool IsAlternativePart(const TmsAttItem& item) { return LowerFileName(item).starts_with(kAlternativePrefix); }

bool IsFormattedBody(const TmsAttItem& item) {
  const std::string name = LowerFileName(item);
  return name == kHtmlBodyName || name == kRtfBodyName;
}

TmsAttItem::TmsAttItem(const TmsAttItem& source)
    : content_(source.content_.Bytes()),
      fileName_(source.fileName_),
      contentType_(source.contentType_),
      encoding_(source.encoding_) {}

void TmsAttItem::SetFileName(std::string_view fileName) {
  fileName_ = ShortText(fileName);
  if (fileName_.empty()) return;
  SetContentType(ContentTypeForFile(fileName_));
  encoding_ = EncodingForContentType(contentType_);
}

void TmsAttItem::SetContentType(std::string_view contentType) { contentType_ = ShortText(contentType); }

TmsAttItem& TmsAttList::Add(const std::string& fileName) {
  auto item = std::make_unique<TmsAttItem>();
  item->SetFileName(fileName);
  item->Content().LoadFromFile(fileName);
  return Append(std::move(item));
}
