// Our encoders' output and whole composed messages, decoded by Python's
// codecs and email package and by uudecode rather than by our own code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/image_message.h"
#include "mail/quoted_printable.h"
#include "mail/transfer_encodings.h"
#include "tests/mail/mail_test_support.h"

namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += separator;
    text += lines[i];
  }
  return text;
}

Lines EncodeLines(const std::string& mode, const std::string& original) {
  TMemoryStream content(std::vector<std::uint8_t>(original.begin(), original.end()));
  Lines lines;
  const auto collect = [&lines](std::string_view line) { lines.emplace_back(line); };
  if (mode == "base64") {
    EncodeBase64Lines(content, collect);
  } else if (mode == "uu") {
    EncodeUULines(content, collect);
  } else {
    TQuotedPrintable(content, lines).Encode();
  }
  return lines;
}

struct TCodecCase {
  const char* mode;
  std::size_t size;
};

class CodecAgainstPython : public testing::TestWithParam<TCodecCase> {};

TEST_P(CodecAgainstPython, DecodesToTheOriginal) {
  TScratchFolder folder;
  const std::string original = PseudoRandomBytes(GetParam().size, static_cast<unsigned>(GetParam().size));
  const std::string originalPath = folder.Write("original.bin", original);
  const std::string encodedPath = folder.Write("encoded.txt", Joined(EncodeLines(GetParam().mode, original), "\n"));
  EXPECT_EQ(
      CommandOutput(PythonScript("decode_lines.py") + " " + GetParam().mode + " " + encodedPath + " " + originalPath),
      Lines{"ok"});
}

INSTANTIATE_TEST_SUITE_P(Sizes, CodecAgainstPython, testing::ValuesIn([] {
                           std::vector<TCodecCase> cases;
                           for (const char* mode : {"base64", "uu", "qp"}) {
                             for (std::size_t size : {0, 1, 2, 3, 44, 45, 46, 56, 57, 58, 1000, 100000}) {
                               cases.push_back({mode, size});
                             }
                           }
                           return cases;
                         }()),
                         [](const auto& info) {
                           return std::string(info.param.mode) + "_" + std::to_string(info.param.size);
                         });

TEST(CodecAgainstPython, QuotedPrintableText) {
  TScratchFolder folder;
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word=" + std::to_string(i) + (i % 7 == 0 ? "\t\xe9\r\n" : " ");
  text += "\r\n\r\n." + std::string(200, 'x') + " tail  \n";
  const std::string originalPath = folder.Write("original.txt", text);
  const std::string encodedPath = folder.Write("encoded.txt", Joined(EncodeLines("qp", text), "\n"));
  EXPECT_EQ(CommandOutput(PythonScript("decode_lines.py") + " qp " + encodedPath + " " + originalPath), Lines{"ok"});
}

// A mail reader's copy of a message: SMTP dot doubling undone, local line ends.
std::string AsReceived(const std::string& wire) {
  std::string local;
  for (const auto& line : SplitCrLf(wire)) local += (line.starts_with(".") ? line.substr(1) : line) + "\n";
  return local;
}

TEST(MessageAgainstUudecode, AttachmentDecodesByteIdentical) {
  for (std::size_t size : {0, 1, 14, 45, 46, 90, 4500, 65537}) {
    TScratchFolder folder;
    const std::string original = folder.Write("original.bin", PseudoRandomBytes(size, 7));
    TmsMessage message;
    message.Sender().SetAddress("jane@example.com");
    message.Recipients().Add("bob@example.org", "");
    message.SetEncoding(meUU);
    message.Attachments().Add(folder.Write("decoded.bin", ""));
    message.Attachments().Items(0).Content().LoadFromFile(original);
    TMemoryStream wire;
    message.Encode(wire);
    const std::string received =
        folder.Write("received.txt", AsReceived(std::string(wire.Bytes().begin(), wire.Bytes().end())));
    EXPECT_EQ(CommandOutput("cd " + folder.Path("") + " && uudecode received.txt && cmp decoded.bin original.bin"),
              Lines{})
        << size << " bytes";
  }
}

// What Python's email package reads from a composed message.
Lines Report(TmsMessage& message, const TScratchFolder& folder, const std::vector<std::string>& files) {
  const std::string path = folder.Path("message.eml");
  {
    TFileStream stream(path, TFileStream::Mode::Create);
    message.Encode(stream);
  }
  std::string command = PythonScript("check_message.py") + " " + path;
  for (const auto& file : files) command += " " + file;
  return CommandOutput(command);
}

const Lines kFlowHead = {"from=[('Jane Q. Sender', 'jane@example.com')]", "to=[('Bob Receiver', 'bob@example.org')]",
                         "subject=['Screen shot']"};

Lines WithHead(const Lines& tail) {
  Lines lines = kFlowHead;
  lines.insert(lines.end(), tail.begin(), tail.end());
  return lines;
}

TEST(MessageAgainstPython, EmailFlowMime) {
  TScratchFolder folder;
  const std::string image = folder.Write("capture.bmp", PseudoRandomBytes(100000, 1));
  TmsMessage message;
  ComposeImageMessage(message, EmailFlowFields(image, 0));
  EXPECT_EQ(
      Report(message, folder, {image}),
      WithHead({"multipart multipart/mixed", "part text/plain filename=None file=-1",
                "text='Hello Bob,\\r\\n.\\r\\nHere it is.\\r\\n'", "part image/bmp filename=capture.bmp file=0"}));
}

TEST(MessageAgainstPython, EmailFlowMimeWithLongText) {
  TScratchFolder folder;
  const std::string image = folder.Write("shot.gif", PseudoRandomBytes(57 * 20, 2));
  TmsMessage message;
  auto fields = EmailFlowFields(image, 0);
  fields.MessageText = "";
  for (int i = 0; i < 30; ++i) fields.MessageText += ".dotted sentence number " + std::to_string(i) + " = x ";
  fields.MessageText += "\r\nlast";
  ComposeImageMessage(message, fields);
  const Lines report = Report(message, folder, {image});
  ASSERT_EQ(report.size(), 7u) << Joined(report, "\n");
  EXPECT_EQ(report[4], "part text/plain filename=None file=-1");
  EXPECT_EQ(report[5], "text='" + fields.MessageText.substr(0, fields.MessageText.size() - 6) + "\\r\\nlast\\r\\n'");
  EXPECT_EQ(report[6], "part image/gif filename=shot.gif file=0");
}

TEST(MessageAgainstPython, EmailFlowUUEncode) {
  TScratchFolder folder;
  const std::string image = folder.Write("capture.jpg", PseudoRandomBytes(45 * 30 + 14, 3));
  TmsMessage message;
  ComposeImageMessage(message, EmailFlowFields(image, 1));
  EXPECT_EQ(Report(message, folder, {image}),
            WithHead({"part text/plain filename=None file=-1", "uu capture.jpg file=0"}));

  const auto wire = ReadWholeFile(folder.Path("message.eml"));
  folder.Write("received.txt", AsReceived(std::string(wire.begin(), wire.end())));
  EXPECT_EQ(CommandOutput("cd " + folder.Path("") + " && mv capture.jpg original.jpg && uudecode received.txt" +
                          " && cmp capture.jpg original.jpg"),
            Lines{});
}

TEST(MessageAgainstPython, TwoRecipientsCopyAndAttachmentKinds) {
  TScratchFolder folder;
  const std::string text = folder.Write("notes.txt", "line one\r\n=equals\r\n" + std::string(100, 't') + "\r\n");
  const std::string picture = folder.Write("picture.gif", PseudoRandomBytes(5000, 4));
  const std::string mail = folder.Write("forward.eml", "From: a@b\r\nSubject: inner\r\n\r\nbody\r\n");
  TmsMessage message;
  message.Sender().SetAddress("jane@example.com");
  message.Recipients().Add("bob@example.org", "Bob R. Receiver");
  message.Recipients().Add("carol@example.net", "Smith, Carol");
  message.CC().Add("dave@example.net", "");
  message.SetSubject("Kinds");
  message.Body().push_back("see attachments");
  message.Attachments().Add(picture);
  message.Attachments().Add(mail);
  message.Attachments().Add(text);
  EXPECT_EQ(Report(message, folder, {picture, mail, text}),
            (Lines{"from=[('', 'jane@example.com')]",
                   "to=[('Bob R. Receiver', 'bob@example.org'), ('Smith, Carol', 'carol@example.net')]",
                   "cc=[('', 'dave@example.net')]", "subject=['Kinds']", "multipart multipart/mixed",
                   "part text/plain filename=None file=-1", "text='see attachments\\r\\n'",
                   "part image/gif filename=picture.gif file=0",
                   // A whole message goes unencoded and is read as a nested message.
                   "multipart message/rfc822", "part text/plain filename=None file=-1", "text='body\\r\\n\\r\\n'",
                   // Quoted-printable text keeps its line ends as CR LF.
                   "part text/plain filename=notes.txt file=2",
                   "text='line one\\r\\n=equals\\r\\n" + std::string(100, 't') + "\\r\\n'"}));
}

TEST(MessageAgainstPython, AlternativeGroupInsideMixed) {
  TScratchFolder folder;
  const std::string plain = folder.Write("_alt.text.txt", "plain version");
  const std::string html = folder.Write("_alt.text.htm", "<p>html version</p>\r\n");
  const std::string picture = folder.Write("picture.gif", PseudoRandomBytes(300, 5));
  TmsMessage message;
  message.Sender().SetAddress("jane@example.com");
  message.Recipients().Add("bob@example.org", "");
  message.Body().push_back("intro");
  message.Attachments().Add(plain);
  message.Attachments().Add(html);
  message.Attachments().Add(picture);
  EXPECT_EQ(Report(message, folder, {plain, html, picture}),
            (Lines{"from=[('', 'jane@example.com')]", "to=[('', 'bob@example.org')]", "subject=None",
                   "multipart multipart/mixed", "multipart multipart/alternative",
                   "part text/plain filename=None file=-1", "text='intro\\r\\n'",
                   // A text part that another part follows gains the blank line that separates them.
                   "part text/plain filename=None file=-1", "text='plain version\\r\\n\\r\\n'",
                   "part text/html filename=None file=1", "text='<p>html version</p>\\r\\n'",
                   "part image/gif filename=picture.gif file=2"}));
}

TEST(MessageAgainstPython, OnlyAlternativeAttachment) {
  TScratchFolder folder;
  const std::string picture = folder.Write("_alt.capture.bmp", PseudoRandomBytes(1000, 6));
  TmsMessage message;
  message.Sender().SetAddress("jane@example.com");
  message.Recipients().Add("bob@example.org", "Bob");
  message.Attachments().Add(picture);
  EXPECT_EQ(Report(message, folder, {picture}),
            (Lines{"from=[('', 'jane@example.com')]", "to=[('Bob', 'bob@example.org')]", "subject=None",
                   "multipart multipart/alternative", "part image/bmp filename=None file=0"}));
}

}  // namespace
