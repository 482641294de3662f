#include "tests/mail/servers/scripted_server.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using TNativeSocket = SOCKET;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
using TNativeSocket = int;
#endif

#include <stdexcept>

namespace testing_servers {

namespace {

constexpr int kStepTimeoutMs = 15000;

#ifdef _WIN32
struct TWinsockStartup {
  TWinsockStartup() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
};
void EnsureStarted() { static TWinsockStartup started; }
void CloseNative(TNativeSocket s) { closesocket(s); }
int PollOne(TNativeSocket s, int timeout_ms) {
  WSAPOLLFD entry{s, POLLRDNORM, 0};
  return WSAPoll(&entry, 1, timeout_ms);
}
#else
void EnsureStarted() {}
void CloseNative(TNativeSocket s) { close(s); }
int PollOne(TNativeSocket s, int timeout_ms) {
  pollfd entry{s, POLLIN, 0};
  return poll(&entry, 1, timeout_ms);
}
#endif

TNativeSocket ListenOnLoopback(std::uint16_t& port) {
  EnsureStarted();
  TNativeSocket listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 1) != 0) {
    CloseNative(listener);
    throw std::runtime_error("scripted server cannot listen");
  }
  socklen_t length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return listener;
}

}  // namespace

TStep Say(std::string text) { return {TStep::Kind::Say, std::move(text)}; }
TStep Hear() { return {TStep::Kind::Hear, {}}; }
TStep HearData() { return {TStep::Kind::HearData, {}}; }
TStep CloseConnection() { return {TStep::Kind::Close, {}}; }
TStep ResetConnection() { return {TStep::Kind::Reset, {}}; }
TStep Silence() { return {TStep::Kind::Silence, {}}; }

TScriptedServer::TScriptedServer(std::vector<TStep> script) : script_(std::move(script)) {
  listener_ = static_cast<std::intptr_t>(ListenOnLoopback(port_));
  thread_ = std::thread([this] { Run(); });
}

TScriptedServer::~TScriptedServer() {
  if (thread_.joinable()) thread_.join();
  CloseNative(static_cast<TNativeSocket>(listener_));
}

std::string TScriptedServer::Address() const { return "127.0.0.1:" + std::to_string(port_); }

std::string TScriptedServer::Transcript() {
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  return received_;
}

bool TScriptedServer::Accepted() {
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  return accepted_;
}

void TScriptedServer::Run() {
  const auto listener = static_cast<TNativeSocket>(listener_);
  if (PollOne(listener, kStepTimeoutMs) <= 0) return;
  TNativeSocket client = accept(listener, nullptr, nullptr);
  {
    std::lock_guard lock(mutex_);
    accepted_ = true;
  }
  std::string pending;  // received but not yet consumed by a Hear step
  bool open = true;
  // Reads more bytes into `pending`; false when the client is gone or slow.
  auto receive_more = [&] {
    if (PollOne(client, kStepTimeoutMs) <= 0) return false;
    char chunk[4096];
    const int count = static_cast<int>(recv(client, chunk, sizeof chunk, 0));
    if (count <= 0) return false;
    pending.append(chunk, static_cast<std::size_t>(count));
    std::lock_guard lock(mutex_);
    received_.append(chunk, static_cast<std::size_t>(count));
    return true;
  };
  auto consume_through = [&](const std::string& marker) {
    std::size_t end;
    while ((end = pending.find(marker)) == std::string::npos) {
      if (!receive_more()) return false;
    }
    pending.erase(0, end + marker.size());
    return true;
  };
  for (const TStep& step : script_) {
    if (!open) break;
    switch (step.kind) {
      case TStep::Kind::Say:
        send(client, step.text.data(), static_cast<int>(step.text.size()), 0);
        break;
      case TStep::Kind::Hear:
        open = consume_through("\n");
        break;
      case TStep::Kind::HearData:
        pending.insert(0, "\r\n");  // the data may begin with the "." line
        open = consume_through("\r\n.\r\n");
        break;
      case TStep::Kind::Close:
        CloseNative(client);
        open = false;
        break;
      case TStep::Kind::Reset: {
        // Closing with unread data makes the system send a reset, with or
        // without the zero linger (which not every socket layer honours).
        PollOne(client, kStepTimeoutMs);
        linger hard{1, 0};
        setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
        CloseNative(client);
        open = false;
        break;
      }
      case TStep::Kind::Silence:
        break;
    }
  }
  if (!open) return;
  // Record whatever else the client sends until it hangs up.
  while (receive_more()) {
  }
  CloseNative(client);
}

std::uint16_t UnusedPort() {
  std::uint16_t port = 0;
  CloseNative(ListenOnLoopback(port));
  return port;
}

}  // namespace testing_servers
