#include "tests/mail/mail_test_support.h"

#include <fstream>
#include <random>

namespace {

int folderCounter = 0;

}  // namespace

TScratchFolder::TScratchFolder() {
  folder_ = std::filesystem::temp_directory_path() /
            ("grabwell_mail_test_" + std::to_string(std::random_device{}()) + "_" + std::to_string(++folderCounter));
  std::filesystem::create_directories(folder_);
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string TScratchFolder::Write(const std::string& name, std::string_view bytes) const {
  const std::string path = Path(name);
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string PseudoRandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 engine(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(engine() & 0xff);
  return bytes;
}

TImageMessageFields EmailFlowFields(const std::string& imagePath, int attachmentEncoding) {
  TImageMessageFields fields;
  fields.SenderName = "Jane Q. Sender";
  fields.SenderAddress = "jane@example.com";
  fields.RecipientName = "  Bob Receiver ";
  fields.RecipientAddress = " bob@example.org ";
  fields.Subject = " Screen shot ";
  fields.MessageText = "Hello Bob,\r\n.\r\nHere it is.";
  fields.ProductName = "Grabwell 2000";
  fields.ImagePath = imagePath;
  fields.AttachmentEncoding = attachmentEncoding;
  return fields;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}
