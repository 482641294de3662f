// mail_encode_file base64|qp INPUT OUTPUT
//   Streams INPUT through the Base64 or quoted-printable encoder and writes
//   the lines through the message line writer (CR LF, dot doubling) into
//   OUTPUT.
// mail_encode_file --cpu-us qp INPUT
//   Holds INPUT in memory, as an attachment is held, encodes it seven times
//   into message lines in memory (CR LF, dot doubling) and prints the best
//   CPU time of one encoding in microseconds.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <string_view>

#include "mail/line_writer.h"
#include "mail/quoted_printable.h"
#include "mail/transfer_encodings.h"

namespace {

void EncodeFile(std::string_view kind, const char* input, const char* output) {
  TFileStream content(input, TFileStream::Mode::OpenRead);
  TFileStream target(output, TFileStream::Mode::Create);
  TLineWriter writer(target);
  if (kind == "base64") {
    WriteBase64Lines(content, writer);
  } else {
    TQuotedPrintable(content, [&writer](std::string_view line) { writer.WriteEncodedLine(line); }).Encode();
  }
  writer.Flush();
}

long BestQuotedPrintableMicroseconds(const char* input) {
  TMemoryStream content;
  content.LoadFromFile(input);
  TMemoryStream message;
  double best = 0;
  for (int run = 0; run < 7; ++run) {
    message.Clear();
    const std::clock_t start = std::clock();
    TLineWriter writer(message);
    TQuotedPrintable(content, [&writer](std::string_view line) { writer.WriteEncodedLine(line); }).Encode();
    writer.Flush();
    const double took = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    best = run == 0 ? took : std::min(best, took);
  }
  return static_cast<long>(best * 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 4 && std::strcmp(argv[1], "--cpu-us") == 0 && std::strcmp(argv[2], "qp") == 0) {
      std::printf("%ld\n", BestQuotedPrintableMicroseconds(argv[3]));
      return 0;
    }
    if (argc == 4 && (std::strcmp(argv[1], "base64") == 0 || std::strcmp(argv[1], "qp") == 0)) {
      EncodeFile(argv[1], argv[2], argv[3]);
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mail_encode_file: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: mail_encode_file base64|qp INPUT OUTPUT\n       mail_encode_file --cpu-us qp INPUT\n");
  return 2;
}
