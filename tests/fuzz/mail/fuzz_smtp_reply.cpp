// Feeds arbitrary bytes as a server's side of the conversation to the reply
// reader: first the SMTP greeting and HELO exchange, then ReadReply until the
// bytes run out. The fake transport hands out one byte per recv, as the
// network may, and reports readiness and the close like WinSock.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>

#include "mail/smtp_client.h"
#include "platform/socket_api.h"

namespace {

using namespace platform;

class TFeedingSocketApi final : public TSocketApi {
 public:
  TFeedingSocketApi(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Exhausted() const { return position_ == size_; }

  int WSAStartup(std::uint16_t) override { return 0; }
  int WSACleanup() override { return 0; }
  int WSAGetLastError() override { return last_error_; }
  bool WSAIsBlocking() override { return false; }
  int WSACancelBlockingCall() override { return 0; }
  TAsyncRequest WSAAsyncGetHostByName(TSocketMessageWindow&, unsigned, const char*, TLookupBuffer&) override {
    return 0;
  }
  TAsyncRequest WSAAsyncGetServByName(TSocketMessageWindow&, unsigned, const char*, const char*,
                                      TLookupBuffer&) override {
    return 0;
  }
  int WSACancelAsyncRequest(TAsyncRequest) override { return 0; }
  int WSAAsyncSelect(TSocketHandle, TSocketMessageWindow& window, unsigned message, long) override {
    window_ = &window;
    message_ = message;
    return 0;
  }
  TSocketHandle socket(int, int, int) override { return kSocket; }
  int connect(TSocketHandle, const TInetAddress&) override {
    Notify(kFdConnect);
    Notify(kFdWrite);
    NotifyReadOrClose();
    last_error_ = kWsaEWouldBlock;
    return kSocketError;
  }
  int closesocket(TSocketHandle) override { return 0; }
  int recv(TSocketHandle, void* buffer, int length, int) override {
    if (length < 1) std::abort();
    if (Exhausted()) return 0;
    *static_cast<std::uint8_t*>(buffer) = data_[position_++];
    NotifyReadOrClose();
    return 1;
  }
  int send(TSocketHandle, const void*, int length, int) override { return length; }
  int gethostname(char* name, int length) override {
    const std::string host = "fuzz.example";
    if (length <= static_cast<int>(host.size())) return kSocketError;
    host.copy(name, host.size());
    name[host.size()] = '\0';
    return 0;
  }
  std::uint32_t inet_addr(const char* dotted) override {
    return std::string(dotted) == "127.0.0.1" ? 0x0100007Fu : kInaddrNone;
  }
  std::uint16_t htons(std::uint16_t value) override { return static_cast<std::uint16_t>((value << 8) | (value >> 8)); }
  std::optional<std::array<std::uint8_t, 4>> FirstHostAddress(const TLookupBuffer&) override { return std::nullopt; }
  std::optional<std::uint16_t> ServicePort(const TLookupBuffer&) override { return std::nullopt; }

 private:
  static constexpr TSocketHandle kSocket = 7;

  void Notify(std::uint16_t event) { window_->Post(message_, kSocket, MakeSocketLParam(event, 0)); }
  // Like WinSock: more data re-enables FD_READ; the peer's close is
  // reported once, when everything it sent has been read.
  void NotifyReadOrClose() {
    if (!Exhausted()) {
      Notify(kFdRead);
    } else if (!close_reported_) {
      close_reported_ = true;
      Notify(kFdClose);
    }
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  bool close_reported_ = false;
  int last_error_ = 0;
  TSocketMessageWindow* window_ = nullptr;
  unsigned message_ = 0;
};

void CheckReply(const TmsSMTP& smtp) {
  const std::string& reply = smtp.LastReply();
  if (reply.size() > 1024) std::abort();
  if (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFeedingSocketApi api(data, size);
  TmsSMTP smtp(api);
  smtp.SetServer("127.0.0.1:25");
  smtp.SetTimeOut(2);
  try {
    smtp.Connect();
  } catch (const std::exception&) {
  }
  CheckReply(smtp);
  // Every reply consumes at least one byte or ends on the close.
  for (std::size_t replies = 0; smtp.IsConnected() && replies <= size + 1; ++replies) {
    try {
      const int code = smtp.ReadReply();
      if (code < -1 || code > 999) std::abort();
    } catch (const std::exception&) {
      break;
    }
    CheckReply(smtp);
    if (api.Exhausted() && smtp.LastReply().empty()) break;
  }
  return 0;
}
