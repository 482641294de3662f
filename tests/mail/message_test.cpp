#include "mail/message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/image_message.h"
#include "platform/content_type.h"
#include "tests/mail/mail_test_support.h"

namespace {

using Lines = std::vector<std::string>;

std::string Encoded(TmsMessage& message) {
  TMemoryStream stream;
  message.Encode(stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

Lines EncodedLines(TmsMessage& message) { return SplitCrLf(Encoded(message)); }

// The boundary from a "Content-Type: ...; boundary="B"" line.
std::string BoundaryOf(const std::string& line) {
  const auto at = line.find("boundary=\"");
  if (at == std::string::npos) return "";
  return line.substr(at + 10, line.size() - at - 11);
}

// A message with a sender and one recipient, ready to encode.
void Address(TmsMessage& message) {
  message.Sender().SetAddress("jane@example.com");
  message.Sender().SetName("Jane Sender");
  message.Recipients().Add("bob@example.org", "Bob");
}

TEST(EmailFlowMessage, MimeLineByLine) {
  TScratchFolder folder;
  TmsMessage message;
  ComposeImageMessage(message, EmailFlowFields(folder.Write("capture.bmp", "GIF87a"), 0));
  const Lines lines = EncodedLines(message);
  ASSERT_GT(lines.size(), 6u);
  const std::string boundary = BoundaryOf(lines[5]);
  ASSERT_EQ(boundary.size(), 8u);
  EXPECT_EQ(boundary.find_first_not_of("012345678"), std::string::npos);
  const Lines expected = {
      "From:     \"Jane Q. Sender\" <jane@example.com>",
      "To:       Bob Receiver <bob@example.org>",
      "X-Mailer: Grabwell 2000",
      "Subject: Screen shot",
      "Mime-Version: 1.0",
      "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"",
      "",
      "This is a multipart message in MIME format",
      "",
      "--" + boundary,
      "Content-Type: text/plain; charset=\"us-ascii\"",
      "Content-Transfer-Encoding: 7bit",
      "",
      "Hello Bob,",
      "..",
      "Here it is.",
      "",
      "--" + boundary,
      "Content-Type: " + ContentTypeForFile("capture.bmp") + "; name=\"capture.bmp\"",
      "Content-Transfer-Encoding: Base64",
      "Content-Disposition: attachment; filename=\"capture.bmp\"",
      "",
      "R0lGODdh",
      "",
      "--" + boundary + "--",
  };
  EXPECT_EQ(lines, expected);
}

TEST(EmailFlowMessage, UUEncodeLineByLine) {
  TScratchFolder folder;
  TmsMessage message;
  ComposeImageMessage(message, EmailFlowFields(folder.Write("capture.bmp", "abc"), 1));
  const Lines expected = {
      "From:     \"Jane Q. Sender\" <jane@example.com>",
      "To:       Bob Receiver <bob@example.org>",
      "X-Mailer: Grabwell 2000",
      "Subject: Screen shot",
      "",
      "Hello Bob,",
      "..",
      "Here it is.",
      "",
      "begin 600 capture.bmp",
      "#86)C",
      "`",
      "end",
  };
  EXPECT_EQ(EncodedLines(message), expected);
}

TEST(EmailFlowMessage, EmptySubjectWritesNoSubjectLine) {
  TScratchFolder folder;
  TmsMessage message;
  auto fields = EmailFlowFields(folder.Write("capture.bmp", "abc"), 1);
  fields.Subject = "   ";
  ComposeImageMessage(message, fields);
  const Lines lines = EncodedLines(message);
  ASSERT_GT(lines.size(), 4u);
  EXPECT_EQ(lines[2], "X-Mailer: Grabwell 2000");
  EXPECT_EQ(lines[3], "");
}

TEST(EmailFlowMessage, MissingImageRaisesAndAttachesNothing) {
  TScratchFolder folder;
  TmsMessage message;
  EXPECT_THROW(ComposeImageMessage(message, EmailFlowFields(folder.Path("gone.bmp"), 0)), EStreamError);
  EXPECT_EQ(message.Attachments().Count(), 0u);
}

struct TBodySwitchCase {
  std::size_t length;
  const char* transferEncoding;
};

class BodyLengthSwitch : public testing::TestWithParam<TBodySwitchCase> {};

TEST_P(BodyLengthSwitch, LongBodyGoesQuotedPrintable) {
  TScratchFolder folder;
  TmsMessage message;
  auto fields = EmailFlowFields(folder.Write("capture.bmp", "abc"), 0);
  // Line ends count towards the length.
  const std::string firstLine(100, 'w');
  fields.MessageText = firstLine + "\r\n" + std::string(GetParam().length - firstLine.size() - 2, 'v');
  ComposeImageMessage(message, fields);
  const Lines lines = EncodedLines(message);
  ASSERT_GT(lines.size(), 14u);
  EXPECT_EQ(lines[11], std::string("Content-Transfer-Encoding: ") + GetParam().transferEncoding);
  // Quoted-printable cuts the 100-character line with a soft break.
  EXPECT_EQ(lines[13] == firstLine, GetParam().length < 256) << lines[13];
}

INSTANTIATE_TEST_SUITE_P(Lengths, BodyLengthSwitch,
                         testing::Values(TBodySwitchCase{255, "7bit"}, TBodySwitchCase{256, "quoted-printable"},
                                         TBodySwitchCase{400, "quoted-printable"}));

TEST(LineWriter, LinesBeginningWithADotAreDoubled) {
  TmsMessage message;
  Address(message);
  message.Body().push_back("first\r\n.\r\n.hidden\r\nlast.");
  message.Body().push_back("..two");
  const Lines lines = EncodedLines(message);
  const Lines tail(lines.end() - 5, lines.end());
  EXPECT_EQ(tail, (Lines{"first", "..", "..hidden", "last.", "...two"}));
}

TEST(LineWriter, BareLineEndsInsideABodyItemBecomeCrLf) {
  TmsMessage message;
  Address(message);
  message.Body().push_back("one\ntwo\r.three");
  const std::string wire = Encoded(message);
  EXPECT_TRUE(wire.ends_with("\r\none\r\ntwo\r\n..three\r\n"));
  EXPECT_EQ(wire.find("\n", 0), wire.find("\r\n") + 1);
}

TEST(LineWriter, UULineWithADotLengthCharacterIsDoubled) {
  TScratchFolder folder;
  TmsMessage message;
  Address(message);
  message.SetEncoding(meUU);
  message.Attachments().Add(folder.Write("fourteen.bin", std::string(14, 'f')));
  const Lines lines = EncodedLines(message);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3].substr(0, 2), "..");
  EXPECT_EQ(lines[lines.size() - 3].size(), 2u + 19u);
}

struct TNameCase {
  const char* name;
  const char* fromLine;
};

class DisplayNames : public testing::TestWithParam<TNameCase> {};

TEST_P(DisplayNames, FromLine) {
  TmsMessage message;
  Address(message);
  message.Sender().SetName(GetParam().name);
  EXPECT_EQ(EncodedLines(message).front(), GetParam().fromLine);
}

INSTANTIATE_TEST_SUITE_P(Names, DisplayNames,
                         testing::Values(TNameCase{"", "From:      <jane@example.com>"},
                                         TNameCase{"Jane Sender", "From:     Jane Sender <jane@example.com>"},
                                         TNameCase{"J. Sender", "From:     \"J. Sender\" <jane@example.com>"},
                                         TNameCase{"\"J. Sender\"", "From:     \"J. Sender\" <jane@example.com>"},
                                         TNameCase{"Sender, Jane", "From:     \"Sender, Jane\" <jane@example.com>"},
                                         TNameCase{"a\\b.c", "From:     \"a\\\\b.c\" <jane@example.com>"},
                                         TNameCase{"Jane\r\nBcc: x@y",
                                                   "From:     \"Jane  Bcc: x@y\" <jane@example.com>"}));

TEST(AddressLines, TwoRecipientsAndACopy) {
  TmsMessage message;
  Address(message);
  message.Recipients().Add("carol@example.net", "C. Third");
  message.CC().Add("dave@example.net", "");
  message.BCC().Add("hidden@example.net", "Hidden");
  const Lines lines = EncodedLines(message);
  ASSERT_GT(lines.size(), 4u);
  EXPECT_EQ(lines[1], "To:       Bob <bob@example.org>,");
  EXPECT_EQ(lines[2], "          \"C. Third\" <carol@example.net>");
  EXPECT_EQ(lines[3], "CC:        <dave@example.net>");
  EXPECT_EQ(Encoded(message).find("hidden@"), std::string::npos);
}

TEST(HeaderBlock, ReceiptPrioritySubjectAndReservedHeaders) {
  TmsMessage message;
  Address(message);
  message.SetReturnReceipt(true);
  message.SetPriority(ptHigh);
  message.SetSubject("Real subject");
  message.Headers() = {"subject: custom", "X-Mailer: Grabwell 2000", "Content-Type: text/html;",
                       "\tcharset=x",     "X-Other: kept",           " continued",
                       "SUBJECT: second"};
  message.Body().push_back("text");
  const Lines lines = EncodedLines(message);
  const Lines head(lines.begin(), lines.begin() + 9);
  EXPECT_EQ(head, (Lines{"From:     Jane Sender <jane@example.com>", "To:       Bob <bob@example.org>",
                         "Return-Receipt-To: <jane@example.com>", "X-Priority: 1", "X-Mailer: Grabwell 2000",
                         "X-Other: kept", " continued", "Subject: Real subject", "Mime-Version: 1.0"}));
  EXPECT_EQ(message.Headers(), (TStringList{"X-Mailer: Grabwell 2000", "X-Other: kept", " continued"}));
}

TEST(HeaderBlock, LowPriorityAndInjectedSubject) {
  TmsMessage message;
  Address(message);
  message.SetPriority(ptLow);
  message.SetSubject("Hi\r\nBcc: victim@example.net");
  const Lines lines = EncodedLines(message);
  EXPECT_EQ(lines[2], "X-Priority: 5");
  EXPECT_EQ(lines[3], "Subject: Hi  Bcc: victim@example.net");
}

TEST(HeaderBlock, Iso2022jpTextBecomesEncodedWords) {
  TmsMessage message;
  Address(message);
  message.SetCharSet(csISO2022jp);
  const std::string japanese = "\x1b$B$3$s\x1b(B";
  message.Sender().SetName(japanese);
  message.SetSubject(japanese);
  message.Body().push_back("x");
  const Lines lines = EncodedLines(message);
  EXPECT_EQ(lines[0], "From:     =?ISO-2022-JP?B?GyRCJDMkcxsoQg==?= <jane@example.com>");
  EXPECT_EQ(lines[2], "Subject: =?ISO-2022-JP?B?GyRCJDMkcxsoQg==?=");
  EXPECT_EQ(lines[4], "Content-Type: text/plain; charset=\"iso-2022-jp\"");
}

TEST(HeaderBlock, LongIso2022jpSubjectIsNotCutShort) {
  TmsMessage message;
  Address(message);
  message.SetCharSet(csISO2022jp);
  message.SetSubject("\x1b$B" + std::string(240, '$') + "\x1b(B");
  const Lines lines = EncodedLines(message);
  // 246 bytes take 328 Base64 characters; a cut word would not decode.
  EXPECT_EQ(lines[2].size(), std::string("Subject: =?ISO-2022-JP?B?").size() + 328 + 2) << lines[2];
  EXPECT_TRUE(lines[2].ends_with("GyhC?=")) << lines[2];
}

TEST(PlainText, Iso8859AlwaysGoesQuotedPrintable) {
  TmsMessage message;
  Address(message);
  message.SetCharSet(csISO8859);
  message.Body().push_back("caf\xe9");
  const Lines lines = EncodedLines(message);
  const Lines tail(lines.end() - 4, lines.end());
  EXPECT_EQ(tail, (Lines{"Content-Type: text/plain; charset=\"iso-8859-1\"",
                         "Content-Transfer-Encoding: quoted-printable", "", "caf=E9"}));
}

TEST(Multipart, AlternativeOnlyAttachmentHasNoNameOrDisposition) {
  TScratchFolder folder;
  TmsMessage message;
  Address(message);
  message.Attachments().Add(folder.Write("_ALT.picture.gif", "GIF87a"));
  const Lines lines = EncodedLines(message);
  const auto at = std::find_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return l.starts_with("Content-Type: multipart/"); });
  ASSERT_NE(at, lines.end());
  const std::string boundary = BoundaryOf(*at);
  EXPECT_EQ(*at, "Content-Type: multipart/alternative; boundary=\"" + boundary + "\"");
  const Lines part(at + 4, lines.end());
  EXPECT_EQ(part, (Lines{"--" + boundary, "Content-Type: " + ContentTypeForFile("x.gif"),
                         "Content-Transfer-Encoding: Base64", "", "R0lGODdh", "", "--" + boundary + "--"}));
}

TEST(Multipart, NestedAlternativeGroupUsesItsOwnBoundary) {
  TScratchFolder folder;
  TmsMessage message;
  Address(message);
  message.Body().push_back("text");
  message.Attachments().Add(folder.Write("_alt.a.gif", "GIF87a"));
  message.Attachments().Add(folder.Write("picture.gif", "GIF87a"));
  const Lines lines = EncodedLines(message);
  const auto outer = std::find(lines.begin(), lines.end(), "This is a multipart message in MIME format");
  ASSERT_NE(outer, lines.end());
  const std::string outerBoundary = BoundaryOf(*(outer - 2));
  ASSERT_EQ(*(outer + 2), "--" + outerBoundary);
  const std::string& group = *(outer + 3);
  ASSERT_TRUE(group.starts_with("Content-Type:  multipart/alternative; boundary=\"")) << group;
  const std::string inner = BoundaryOf(group);
  EXPECT_NE(inner, outerBoundary);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "--" + inner + "--"), 1);
  EXPECT_EQ(lines.back(), "--" + outerBoundary + "--");
}

struct TValidateCase {
  const char* name;
  const char* sender;
  const char* recipient;
  const char* cc;
  const char* bcc;
  const char* error;  // nullptr when valid
};

std::ostream& operator<<(std::ostream& out, const TValidateCase& c) { return out << c.name; }

class Validation : public testing::TestWithParam<TValidateCase> {};

TEST_P(Validation, Validate) {
  const auto& c = GetParam();
  TmsMessage message;
  message.Sender().SetAddress(c.sender);
  if (c.recipient) message.Recipients().Add(c.recipient, "R");
  if (c.cc) message.CC().Add(c.cc, "C");
  if (c.bcc) message.BCC().Add(c.bcc, "B");
  if (!c.error) {
    EXPECT_NO_THROW(message.Validate());
    return;
  }
  try {
    message.Validate();
    FAIL() << "accepted";
  } catch (const EMessageError& e) {
    EXPECT_STREQ(e.what(), c.error);
  }
}

constexpr const char* kNoSender = "The address of sender is required";
constexpr const char* kNoRecipient = "At least one Recipient, CC or BCC must be entered";

INSTANTIATE_TEST_SUITE_P(Cases, Validation,
                         testing::Values(TValidateCase{"NoSender", "", "r@x", nullptr, nullptr, kNoSender},
                                         TValidateCase{"NoLists", "s@x", nullptr, nullptr, nullptr, kNoRecipient},
                                         TValidateCase{"EmptyAddresses", "s@x", "", "", "", kNoRecipient},
                                         TValidateCase{"Recipient", "s@x", "r@x", nullptr, nullptr, nullptr},
                                         TValidateCase{"OnlyCC", "s@x", "", "c@x", nullptr, nullptr},
                                         TValidateCase{"OnlyBCC", "s@x", nullptr, nullptr, "b@x", nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TContentTypeCase {
  const char* name;
  TMsgEncoding encoding;
  bool body;
  std::vector<std::string> attachments;
  const char* stored;
  const char* expected;
};

std::ostream& operator<<(std::ostream& out, const TContentTypeCase& c) { return out << c.name; }

class ContentTypeDecision : public testing::TestWithParam<TContentTypeCase> {};

TEST_P(ContentTypeDecision, Decide) {
  const auto& c = GetParam();
  TScratchFolder folder;
  TmsMessage message;
  message.SetEncoding(c.encoding);
  if (c.body) message.Body().push_back("text");
  for (const auto& name : c.attachments) message.Attachments().Add(folder.Write(name, "x"));
  message.SetContentType(c.stored);
  EXPECT_EQ(message.ContentType(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContentTypeDecision,
    testing::Values(
        TContentTypeCase{"UU", meUU, true, {"a.gif"}, "text/plain", ""},
        TContentTypeCase{"AllAlternative", meMIME, true, {"_alt.a.txt", "_ALT.b.htm"}, "", "multipart/alternative"},
        TContentTypeCase{"RtfBody", meMIME, false, {"_RtfBody.rtf"}, "", "text/rtf"},
        TContentTypeCase{"HtmlBody", meMIME, false, {"_htmbody.htm"}, "", "text/html"},
        TContentTypeCase{"HtmlBodyWithText", meMIME, true, {"_htmbody.htm"}, "", "multipart/mixed"},
        TContentTypeCase{"NothingAtAll", meMIME, false, {}, "", "text/plain"},
        TContentTypeCase{"OneAttachmentOnly", meMIME, false, {"no.such-extension"}, "", "application/octet-stream"},
        TContentTypeCase{"TwoAttachmentsOnly", meMIME, false, {"a.gif", "b.gif"}, "", "multipart/mixed"},
        TContentTypeCase{"TextAndAttachment", meMIME, true, {"a.gif"}, "text/html", "multipart/mixed"},
        TContentTypeCase{"TextKeepsStoredType", meMIME, true, {}, "TEXT/HTML", "text/html"},
        TContentTypeCase{"TextWithoutStoredType", meMIME, true, {}, "", "text/plain"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageModel, ClearKeepsPriorityAndReceipt) {
  TmsMessage message;
  Address(message);
  message.CC().Add("c@x", "C");
  message.SetPriority(ptHigh);
  message.SetReturnReceipt(true);
  message.SetEncoding(meUU);
  message.SetCharSet(csISO8859);
  message.Clear();
  EXPECT_TRUE(message.Sender().Address().empty());
  EXPECT_EQ(message.Recipients().Count() + message.CC().Count(), 0u);
  EXPECT_EQ(message.Encoding(), meMIME);
  EXPECT_EQ(message.CharSet(), csUSASCII);
  EXPECT_EQ(message.Priority(), ptHigh);
  EXPECT_TRUE(message.ReturnReceipt());
}

TEST(MessageModel, TextFieldsKeepAtMost255Characters) {
  TmsMessage message;
  message.SetSubject(std::string(300, 's'));
  message.Recipients().Add(std::string(300, 'a'), std::string(256, 'n'));
  EXPECT_EQ(message.Subject().size(), 255u);
  EXPECT_EQ(message.Recipients().Items(0).Address().size(), 255u);
  EXPECT_EQ(message.Recipients().Items(0).Name().size(), 255u);
}

TEST(MessageModel, AssignedListsAreDeepCopies) {
  TScratchFolder folder;
  TmsAttList list;
  list.Add(folder.Write("a.gif", "GIF87a"));
  TmsMessage message;
  message.SetAttachments(list);
  list.Items(0).Content().Clear();
  EXPECT_EQ(message.Attachments().Items(0).Content().Size(), 6u);

  TmsAddressList addresses;
  addresses.Add("a@x", "A");
  TmsAddressList copy(addresses);
  addresses.Items(0).SetAddress("changed@x");
  EXPECT_EQ(copy.Items(0).Address(), "a@x");
}

struct TTypingCase {
  const char* contentType;
  TAttEncoding encoding;
};

class AttachmentTyping : public testing::TestWithParam<TTypingCase> {};

TEST_P(AttachmentTyping, EncodingFollowsContentType) {
  EXPECT_EQ(EncodingForContentType(GetParam().contentType), GetParam().encoding);
}

INSTANTIATE_TEST_SUITE_P(Types, AttachmentTyping,
                         testing::Values(TTypingCase{"text/plain", aeQuotedPrintable},
                                         TTypingCase{"Text/HTML", aeQuotedPrintable},
                                         TTypingCase{"text/rtf", aeQuotedPrintable},
                                         TTypingCase{"message/rfc822", aeNone}, TTypingCase{"image/bmp", aeBase64},
                                         TTypingCase{"text/csv", aeBase64},
                                         TTypingCase{"application/octet-stream", aeBase64}));

}  // namespace
