// mail_send_file compose FILE MESSAGE_OUT
//   Composes the e-mail flow's message with FILE attached into a temporary
//   file, as TmsSMTP::Send does; prints the microseconds it took and copies
//   the composed message to MESSAGE_OUT.
// mail_send_file send HOST:PORT FILE
//   Composes and sends that message with TmsSMTP; prints the microseconds.
// mail_send_file raw HOST:PORT MESSAGE
//   The same dialogue with the bare minimum: blocking socket, large writes,
//   one recv per reply; sends the composed MESSAGE; prints the microseconds.
// Our headers first: glibc's optimised builds define htons as a macro.
#include "mail/image_message.h"
#include "mail/smtp_client.h"
#include "mail/temp_file_stream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

long long MicrosecondsSince(TClock::time_point start) {
  return std::chrono::duration_cast<std::chrono::microseconds>(TClock::now() - start).count();
}

TImageMessageFields Fields(const char* file) {
  TImageMessageFields fields;
  fields.SenderName = "Bench Sender";
  fields.SenderAddress = "sender@example.com";
  fields.RecipientName = "Bench Rcpt";
  fields.RecipientAddress = "rcpt@example.com";
  fields.Subject = "Benchmark";
  fields.MessageText = "The attachment follows.";
  fields.ProductName = "Grabwell 2000";
  fields.ImagePath = file;
  return fields;
}

int Compose(const char* file, const char* out) {
  const auto start = TClock::now();
  TmsMessage message;
  ComposeImageMessage(message, Fields(file));
  TTempFileStream composed;
  message.Encode(composed);
  const long long took = MicrosecondsSince(start);
  TFileStream copy(out, TFileStream::Mode::Create);
  composed.SetPosition(0);
  copy.CopyFrom(composed);
  std::printf("%lld\n", took);
  return 0;
}

int Send(const char* server, const char* file) {
  const auto start = TClock::now();
  TmsMessage message;
  ComposeImageMessage(message, Fields(file));
  TmsSMTP smtp;
  smtp.SetWinsockLoaded(true);
  smtp.SetServer(server);
  smtp.SetTimeOut(60);
  smtp.SetMailMessage(&message);
  smtp.Connect();
  smtp.Send();
  smtp.Disconnect();
  std::printf("%lld\n", MicrosecondsSince(start));
  return 0;
}

class TRawClient {
 public:
  explicit TRawClient(const std::string& server) {
    const auto colon = server.find(':');
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(server.substr(colon + 1))));
    inet_pton(AF_INET, server.substr(0, colon).c_str(), &address.sin_addr);
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) throw std::runtime_error("connect");
  }
  ~TRawClient() { close(fd_); }

  void Write(const char* data, std::size_t size) {
    while (size > 0) {
      const ssize_t sent = send(fd_, data, size, MSG_NOSIGNAL);
      if (sent <= 0) throw std::runtime_error("send");
      data += sent;
      size -= static_cast<std::size_t>(sent);
    }
  }
  void Write(const std::string& text) { Write(text.data(), text.size()); }

  // Reads one complete reply (its last line has a blank after the code).
  void ExpectReply(char first_digit) {
    for (;;) {
      while (pending_.find('\n') == std::string::npos) {
        char chunk[4096];
        const ssize_t got = recv(fd_, chunk, sizeof chunk, 0);
        if (got <= 0) throw std::runtime_error("recv");
        pending_.append(chunk, static_cast<std::size_t>(got));
      }
      const std::size_t end = pending_.find('\n');
      const std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (line.size() >= 4 && line[3] == '-') continue;
      if (line.empty() || line[0] != first_digit) throw std::runtime_error("reply " + line);
      return;
    }
  }

 private:
  int fd_ = -1;
  std::string pending_;
};

int Raw(const char* server, const char* message_path) {
  const std::vector<std::uint8_t> message = ReadWholeFile(message_path);
  const auto start = TClock::now();
  TRawClient client(server);
  client.ExpectReply('2');
  const std::pair<const char*, char> commands[] = {{"HELO bench\r\n", '2'},
                                                   {"MAIL FROM:<sender@example.com>\r\n", '2'},
                                                   {"RCPT TO:<rcpt@example.com>\r\n", '2'},
                                                   {"DATA\r\n", '3'}};
  for (const auto& [command, expected] : commands) {
    client.Write(command);
    client.ExpectReply(expected);
  }
  client.Write(reinterpret_cast<const char*>(message.data()), message.size());
  client.Write("\r\n.\r\n");
  client.ExpectReply('2');
  client.Write("QUIT\r\n");
  client.ExpectReply('2');
  std::printf("%lld\n", MicrosecondsSince(start));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 4 && mode == "compose") return Compose(argv[2], argv[3]);
    if (argc == 4 && mode == "send") return Send(argv[2], argv[3]);
    if (argc == 4 && mode == "raw") return Raw(argv[2], argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "mail_send_file: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: mail_send_file compose FILE OUT | send HOST:PORT FILE | raw HOST:PORT MESSAGE\n");
  return 2;
}
