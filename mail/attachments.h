// Attachments of the message model: one file held in memory with its
// content type and transfer encoding, and an ordered list that owns them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mail/owned_list.h"
#include "platform/stream.h"

// Transfer encoding of one attachment, stored as a byte.
enum TAttEncoding : std::uint8_t {
  aeNone = 0,             // "7bit": the content is written as text lines
  aeBase64 = 1,           // "Base64"
  aeQuotedPrintable = 2,  // "Quoted-Printable"
};

// The name used in "Content-Transfer-Encoding: " lines.
std::string_view AttEncodingName(TAttEncoding encoding);

// The transfer encoding chosen for a content type: text types go
// quoted-printable, a whole message goes unencoded, everything else Base64.
TAttEncoding EncodingForContentType(std::string_view contentType);

// The file name without its folder: the part after the last "\" or "/".
std::string_view FileNameWithoutPath(std::string_view fileName);

// Attachment names with a meaning of their own (compared without the
// folder, in lower case): a formatted body sent as the only part, and the
// "_alt." prefix of the parts of a multipart/alternative group.
inline constexpr std::string_view kHtmlBodyName = "_htmbody.htm";
inline constexpr std::string_view kRtfBodyName = "_rtfbody.rtf";
inline constexpr std::string_view kAlternativePrefix = "_alt.";

class TmsAttItem {
 public:
  TmsAttItem() = default;
  TmsAttItem(const TmsAttItem& source);
  TmsAttItem& operator=(const TmsAttItem& source) = delete;

  // Setting a non-empty name also types the item: its content type comes
  // from the operating system's file-type registry, its encoding from that.
  void SetFileName(std::string_view fileName);
  const std::string& FileName() const { return fileName_; }
  void SetContentType(std::string_view contentType);
  const std::string& ContentType() const { return contentType_; }
  void SetEncoding(TAttEncoding encoding) { encoding_ = encoding; }
  TAttEncoding Encoding() const { return encoding_; }

  TMemoryStream& Content() { return content_; }
  const TMemoryStream& Content() const { return content_; }

 private:
  TMemoryStream content_;
  std::string fileName_;
  std::string contentType_;
  TAttEncoding encoding_ = aeNone;
};

// The item's file name without its folder, lower-cased.
std::string LowerFileName(const TmsAttItem& item);
// Whether the item's name begins with "_alt.".
bool IsAlternativePart(const TmsAttItem& item);
// Whether the item is a formatted body: "_htmbody.htm" or "_rtfbody.rtf".
bool IsFormattedBody(const TmsAttItem& item);

class TmsAttList : public TOwnedList<TmsAttItem> {
 public:
  using TOwnedList::Add;
  // Types the file by its name and reads it whole into memory. A file that
  // cannot be read raises EStreamError and nothing is appended.
  TmsAttItem& Add(const std::string& fileName);
};
