#include "mail/message_encoder.h"

#include "mail/boundary.h"
#include "mail/header_text.h"
#include "mail/quoted_printable.h"
#include "mail/string_table.h"
#include "mail/transfer_encodings.h"

namespace {

// Body items this long or longer make plain text go quoted-printable.
constexpr std::size_t kLongLine = 256;
// Header labels are padded with blanks to this width.
constexpr std::size_t kLabelWidth = 10;

std::string NameOnly(const TmsAttItem& item) { return SingleLine(FileNameWithoutPath(item.FileName())); }

bool HasLongItem(const TStringList& body) {
  for (const auto& item : body) {
    if (item.size() >= kLongLine) return true;
  }
  return false;
}

// The content as text lines: a final line end ends the last line rather
// than starting an empty one, and an empty content has no lines.
std::string_view ContentAsText(const TMemoryStream& content) {
  std::string_view text(reinterpret_cast<const char*>(content.Bytes().data()), content.Bytes().size());
  if (text.ends_with("\r\n")) {
    text.remove_suffix(2);
  } else if (text.ends_with('\n') || text.ends_with('\r')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

TmsCustomEncoder::TmsCustomEncoder(TmsCustomMessage& message, TStream& target)
    : message_(message), writer_(target), target_(target), longLines_(HasLongItem(message.Body())) {}

void TmsCustomEncoder::Encode() {
  target_.SetPosition(0);
  WriteHeaders();
  if (message_.Encoding() == meUU) {
    WriteUUBody();
  } else {
    const std::string contentType = message_.ContentType();
    const bool hasAttachments = message_.Attachments().Count() > 0;
    if (contentType == "multipart/mixed") {
      WriteMultipart(contentType, false);
    } else if (contentType == "multipart/alternative") {
      WriteMultipart(contentType, true);
    } else if (contentType == "text/html" || contentType == "text/rtf") {
      // With an empty Body the formatted text is the only attachment.
      if (message_.Body().empty() && hasAttachments) {
        WriteSingleAttachment();
      } else {
        WriteFormattedBody(contentType);
      }
    } else if (hasAttachments) {
      WriteSingleAttachment();
    } else {
      // Plain text, also for a hand-set type with nothing to attach.
      WriteTextPart();
    }
  }
  writer_.Flush();
}

std::string TmsCustomEncoder::HeaderText(std::string_view text) const {
  if (message_.CharSet() == csISO2022jp && message_.Encoding() == meMIME && IsIso2022jpText(text)) {
    return Iso2022jpEncodedWord(text);
  }
  return SingleLine(text);
}

std::string TmsCustomEncoder::HeaderName(std::string_view name) const {
  if (message_.CharSet() == csISO2022jp && message_.Encoding() == meMIME && IsIso2022jpText(name)) {
    return Iso2022jpEncodedWord(name);
  }
  return QuoteDisplayName(SingleLine(name));
}

void TmsCustomEncoder::WriteLines(const TStringList& lines) {
  for (const auto& line : lines) WriteLine(line);
}

void TmsCustomEncoder::WriteEncodedLines(const TStringList& lines) {
  for (const auto& line : lines) writer_.WriteEncodedLine(line);
}

TStringList TmsCustomEncoder::EncodeBodyQuotedPrintable() {
  TMemoryStream text;
  for (const auto& item : message_.Body()) {
    text.Write(item);
    text.Write("\r\n");
  }
  TStringList lines;
  TQuotedPrintable(text, lines).Encode();
  return lines;
}

void TmsCustomEncoder::WriteTextPart() {
  static constexpr std::string_view kCharsetLines[] = {
      "Content-Type: text/plain; charset=\"us-ascii\"",
      "Content-Type: text/plain; charset=\"iso-8859-1\"",
      "Content-Type: text/plain; charset=\"iso-2022-jp\"",
  };
  const TCharSet charSet = message_.CharSet();
  const bool quoted = charSet == csISO8859 || longLines_;
  WriteLine(kCharsetLines[charSet]);
  WriteLine(quoted ? "Content-Transfer-Encoding: quoted-printable" : "Content-Transfer-Encoding: 7bit");
  WriteLine("");
  if (quoted) {
    WriteEncodedLines(EncodeBodyQuotedPrintable());
  } else {
    WriteLines(message_.Body());
  }
}

void TmsCustomEncoder::WriteMultipart(const std::string& contentType, bool alternativeMode) {
  const TmsAttList& attachments = message_.Attachments();
  const std::size_t count = attachments.Count();
  std::string boundary = MakeBoundary();
  WriteLine("Content-Type: " + contentType + "; boundary=\"" + boundary + "\"");
  WriteLine("");
  WriteLine(LoadStr(sMultipartPreamble));
  WriteLine("");
  WriteLine("--" + boundary);

  std::string outerBoundary;
  bool groupOpen = false;
  if (count > 0 && !alternativeMode && IsAlternativePart(attachments.Items(0))) {
    outerBoundary = boundary;
    boundary = MakeBoundary(outerBoundary);
    groupOpen = true;
    WriteLine("Content-Type:  multipart/alternative; boundary=\"" + boundary + "\"");
    WriteLine("Content-Transfer-Encoding: 7bit");
    WriteLine("");
    WriteLine("--" + boundary);
  }

  if (!message_.Body().empty()) {
    WriteTextPart();
    WriteLine("");
    // Without attachments the text part is the last one.
    WriteLine("--" + boundary + (count == 0 ? "--" : ""));
  }

  const bool firstIsFormattedBody = count > 0 && message_.Body().empty() && IsFormattedBody(attachments.Items(0));
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) {
      WriteLine("");
      WriteLine("--" + boundary);
    }
    const bool named = !alternativeMode && !groupOpen && !(i == 0 && firstIsFormattedBody);
    WriteAttachmentPart(attachments.Items(i), named);
    const bool last = i + 1 == count;
    if (last) {
      WriteLine("--" + boundary + "--");
      if (groupOpen) WriteLine("--" + outerBoundary + "--");
    } else if (groupOpen && !IsAlternativePart(attachments.Items(i + 1))) {
      WriteLine("--" + boundary + "--");
      groupOpen = false;
      boundary = outerBoundary;
    }
  }
}

void TmsCustomEncoder::WriteAttachmentPart(const TmsAttItem& item, bool named) {
  const std::string name = NameOnly(item);
  WriteLine("Content-Type: " + SingleLine(item.ContentType()) + (named ? "; name=\"" + name + "\"" : ""));
  WriteLine("Content-Transfer-Encoding: " + std::string(AttEncodingName(item.Encoding())));
  if (named) WriteLine("Content-Disposition: attachment; filename=\"" + name + "\"");
  WriteLine("");
  WriteContent(item);
  WriteLine("");
}

void TmsCustomEncoder::WriteContent(const TmsAttItem& item) {
  // The content is read through a view of its bytes, so encoding leaves
  // the item's own stream position alone.
  TMemoryStream content(item.Content().Bytes());
  const auto writeLine = [this](std::string_view line) { writer_.WriteEncodedLine(line); };
  switch (item.Encoding()) {
    case aeBase64:
      WriteBase64Lines(content, writer_);
      break;
    case aeQuotedPrintable:
      TQuotedPrintable(content, writeLine).Encode();
      break;
    case aeNone: {
      const std::string_view text = ContentAsText(item.Content());
      if (!item.Content().Bytes().empty()) WriteLine(text);
      break;
    }
  }
}

void TmsCustomEncoder::WriteSingleAttachment() {
  const TmsAttList& attachments = message_.Attachments();
  const TmsAttItem& item = attachments.Items(0);
  const std::string lowerName = LowerFileName(item);
  const bool onlyOne = attachments.Count() == 1;
  const bool formatted = onlyOne && (lowerName == kHtmlBodyName || lowerName == kRtfBodyName);
  const std::string name = NameOnly(item);
  if (formatted) {
    WriteLine(lowerName == kHtmlBodyName ? "Content-Type: text/html" : "Content-Type: text/rtf");
  } else {
    WriteLine("Content-Type: " + SingleLine(item.ContentType()) + "; name=\"" + name + "\"");
  }
  WriteLine("Content-Transfer-Encoding: " + std::string(AttEncodingName(item.Encoding())));
  if (!formatted) WriteLine("Content-Disposition: attachment; filename=\"" + name + "\"");
  WriteLine("");
  WriteContent(item);
}

void TmsCustomEncoder::WriteFormattedBody(const std::string& contentType) {
  const std::string charset = message_.CharSet() == csUSASCII ? "" : "; charset=\"iso-8859-1\"";
  WriteLine((contentType == "text/html" ? "Content-Type: text/html" : "Content-Type: text/rtf") + charset);
  WriteLine("Content-Transfer-Encoding: quoted-printable");
  WriteLine("");
  message_.Body() = EncodeBodyQuotedPrintable();
  WriteEncodedLines(message_.Body());
}

void TmsCustomEncoder::WriteUUBody() {
  WriteLine("");
  WriteLines(message_.Body());
  const TmsAttList& attachments = message_.Attachments();
  for (std::size_t i = 0; i < attachments.Count(); ++i) {
    const TmsAttItem& item = attachments.Items(i);
    WriteLine("");
    WriteLine("begin 600 " + NameOnly(item));
    TMemoryStream content(item.Content().Bytes());
    // A size that is a multiple of 45 ends in a zero-length line; the
    // closing "`" below already is one, and a second would make decoders
    // miss the "end" line.
    EncodeUULines(content, [this](std::string_view line) {
      if (line != "`") writer_.WriteEncodedLine(line);
    });
    WriteLine("`");
    WriteLine("end");
  }
}

void TmsMessageEncoder::WriteHeaders() {
  const std::string senderAddress = SingleLine(mail_.Sender().Address());
  WriteLine("From:     " + HeaderName(mail_.Sender().Name()) + " <" + senderAddress + ">");
  WriteAddressLines("To", mail_.Recipients());
  WriteAddressLines("CC", mail_.CC());
  if (mail_.ReturnReceipt()) WriteLine("Return-Receipt-To: <" + senderAddress + ">");
  if (mail_.Priority() == ptLow) WriteLine("X-Priority: 5");
  if (mail_.Priority() == ptHigh) WriteLine("X-Priority: 1");
  RemoveReservedHeaders(mail_.Headers());
  WriteLines(mail_.Headers());
  if (!mail_.Subject().empty()) WriteLine("Subject: " + HeaderText(mail_.Subject()));
  if (mail_.Encoding() == meMIME) WriteLine("Mime-Version: 1.0");
}

void TmsMessageEncoder::WriteAddressLines(std::string_view label, const TmsAddressList& list) {
  std::string padded(label);
  if (!padded.ends_with(':')) padded += ':';
  if (padded.size() < kLabelWidth) padded.resize(kLabelWidth, ' ');
  const std::string indent(kLabelWidth, ' ');
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const TmsMailAddress& entry = list.Items(i);
    const std::string close = i + 1 < list.Count() ? ">," : ">";
    WriteLine((i == 0 ? padded : indent) + HeaderName(entry.Name()) + " <" + SingleLine(entry.Address()) + close);
  }
}
