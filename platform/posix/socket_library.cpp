// The native stand-in for the WinSock library: the same calls over POSIX
// sockets, with WinSock's error numbers and its notification model (see
// TEventLoop). Host lookups run on a short-lived thread, because
// getaddrinfo blocks; their result is handed over on the pump's thread.
#include "platform/socket_library.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/posix/event_loop.h"
#include "platform/posix/post_box.h"
#include "platform/posix/winsock_errors.h"

// glibc makes htons a macro in optimised builds; here it names our member.
#undef htons

namespace platform {

namespace {

// Layout of a filled TLookupBuffer in this backend: a marker byte, then the
// four address bytes (host lookup) or the two port bytes in network order.
constexpr char kFilled = 1;

struct TLookupRequest {
  TLookupBuffer* target = nullptr;
  bool canceled = false;
  std::array<char, 5> result{};  // written by the lookup thread before it posts
};

}  // namespace

struct TSocketLibrary::Impl {
  bool loaded = false;
  int startups = 0;
  int last_error = 0;
  TAsyncRequest next_request = 1;
  std::map<TAsyncRequest, std::shared_ptr<TLookupRequest>> requests;

  // Lookups still under way must not report into a library that is gone.
  ~Impl() {
    for (auto& [handle, request] : requests) request->canceled = true;
  }

  int Fail(int error) {
    last_error = error;
    return kSocketError;
  }
  int FailFromErrno() { return Fail(posix::WinsockErrorFromErrno(errno)); }

  // Posts the completion of `request`; when it is delivered (and was not
  // canceled) the result lands in the caller's buffer.
  std::function<bool()> Completion(TAsyncRequest handle, std::shared_ptr<TLookupRequest> request) {
    return [this, handle, request] {
      if (request->canceled) return false;
      std::memcpy(request->target->bytes.data(), request->result.data(), request->result.size());
      requests.erase(handle);
      return true;
    };
  }
};

TSocketLibrary::TSocketLibrary(TUnavailableHandler unavailable)
    : unavailable_(unavailable), impl_(std::make_unique<Impl>()) {}

TSocketLibrary::~TSocketLibrary() = default;

bool TSocketLibrary::Load() {
  impl_->loaded = true;
  return true;
}

void TSocketLibrary::Unload() { impl_->loaded = false; }

bool TSocketLibrary::IsLoaded() const { return impl_->loaded; }

// Every call first makes sure the library is there, as the Windows backend
// must before it can look a function up.
#define GRABWELL_REQUIRE_LOADED()                          \
  do {                                                     \
    if (!impl_->loaded) {                                  \
      unavailable_(nullptr);                               \
      throw std::logic_error("socket library not loaded"); \
    }                                                      \
  } while (false)

int TSocketLibrary::WSAStartup(std::uint16_t version) {
  GRABWELL_REQUIRE_LOADED();
  if ((version & 0xFF) < 1) return 10092;  // WSAVERNOTSUPPORTED
  ++impl_->startups;
  return 0;
}

int TSocketLibrary::WSACleanup() {
  GRABWELL_REQUIRE_LOADED();
  if (impl_->startups == 0) return impl_->Fail(10093);  // WSANOTINITIALISED
  --impl_->startups;
  return 0;
}

int TSocketLibrary::WSAGetLastError() {
  GRABWELL_REQUIRE_LOADED();
  return impl_->last_error;
}

bool TSocketLibrary::WSAIsBlocking() {
  GRABWELL_REQUIRE_LOADED();
  return false;  // no call here ever blocks
}

int TSocketLibrary::WSACancelBlockingCall() {
  GRABWELL_REQUIRE_LOADED();
  return 0;
}

TAsyncRequest TSocketLibrary::WSAAsyncGetHostByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                                    TLookupBuffer& buffer) {
  GRABWELL_REQUIRE_LOADED();
  auto request = std::make_shared<TLookupRequest>();
  request->target = &buffer;
  const TAsyncRequest handle = impl_->next_request++;
  impl_->requests[handle] = request;
  const std::uintptr_t mailbox = window.NativeHandle();
  auto completion = impl_->Completion(handle, request);
  // The thread keeps the post box alive on its own, so it may safely finish
  // after everything else here is gone.
  std::thread([host = std::string(name), request, mailbox, message, handle, completion = std::move(completion),
               postbox = posix::TEventLoop::Instance().PostBox()]() mutable {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int status = getaddrinfo(host.c_str(), nullptr, &hints, &found);
    int error = posix::WinsockErrorFromLookup(status);
    if (status == 0) {
      const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
      request->result[0] = kFilled;
      std::memcpy(&request->result[1], &address->sin_addr.s_addr, 4);
      freeaddrinfo(found);
    }
    postbox->Post(
        {mailbox, message, handle, MakeSocketLParam(0, static_cast<std::uint16_t>(error)), std::move(completion)});
  }).detach();
  return handle;
}

TAsyncRequest TSocketLibrary::WSAAsyncGetServByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                                    const char* protocol, TLookupBuffer& buffer) {
  GRABWELL_REQUIRE_LOADED();
  auto request = std::make_shared<TLookupRequest>();
  request->target = &buffer;
  const TAsyncRequest handle = impl_->next_request++;
  impl_->requests[handle] = request;
  // The services file is local and small: looked up at once, reported later.
  servent entry{};
  servent* found = nullptr;
  char scratch[1024];
  int error = 11004;  // WSANO_DATA
  if (getservbyname_r(name, protocol, &entry, scratch, sizeof scratch, &found) == 0 && found != nullptr) {
    request->result[0] = kFilled;
    std::memcpy(&request->result[1], &found->s_port, 2);  // the low 16 bits hold the network-order port
    error = 0;
  }
  posix::TEventLoop::Instance().Post(window.NativeHandle(), message, handle,
                                     MakeSocketLParam(0, static_cast<std::uint16_t>(error)),
                                     impl_->Completion(handle, request));
  return handle;
}

int TSocketLibrary::WSACancelAsyncRequest(TAsyncRequest request) {
  GRABWELL_REQUIRE_LOADED();
  auto found = impl_->requests.find(request);
  if (found == impl_->requests.end()) return impl_->Fail(10037);  // WSAEALREADY: finished or unknown
  found->second->canceled = true;
  impl_->requests.erase(found);
  return 0;
}

int TSocketLibrary::WSAAsyncSelect(TSocketHandle socket, TSocketMessageWindow& window, unsigned message, long events) {
  GRABWELL_REQUIRE_LOADED();
  const int fd = static_cast<int>(socket);
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return impl_->FailFromErrno();
  posix::TEventLoop::Instance().WatchSocket(fd, window.NativeHandle(), message, events);
  return 0;
}

TSocketHandle TSocketLibrary::socket(int family, int type, int protocol) {
  GRABWELL_REQUIRE_LOADED();
  const int fd = ::socket(family, type | SOCK_CLOEXEC, protocol);
  if (fd < 0) {
    impl_->FailFromErrno();
    return kInvalidSocket;
  }
  return static_cast<TSocketHandle>(fd);
}

int TSocketLibrary::connect(TSocketHandle socket, const TInetAddress& address) {
  GRABWELL_REQUIRE_LOADED();
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = address.port_network_order;
  target.sin_addr.s_addr = address.address_network_order;
  const int fd = static_cast<int>(socket);
  const int status = ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target);
  if (status != 0 && errno != EINPROGRESS) return impl_->FailFromErrno();
  // Like WinSock, completion is always reported as FD_CONNECT, also when
  // the connection was made at once.
  posix::TEventLoop::Instance().ConnectStarted(fd);
  if (status != 0) return impl_->FailFromErrno();
  return 0;
}

int TSocketLibrary::closesocket(TSocketHandle socket) {
  GRABWELL_REQUIRE_LOADED();
  const int fd = static_cast<int>(socket);
  posix::TEventLoop::Instance().UnwatchSocket(fd);
  if (::close(fd) != 0) return impl_->FailFromErrno();
  return 0;
}

int TSocketLibrary::recv(TSocketHandle socket, void* buffer, int length, int flags) {
  GRABWELL_REQUIRE_LOADED();
  const int fd = static_cast<int>(socket);
  const ssize_t received = ::recv(fd, buffer, static_cast<std::size_t>(length), flags);
  posix::TEventLoop::Instance().ReadAttempted(fd);
  if (received < 0) return impl_->FailFromErrno();
  return static_cast<int>(received);
}

int TSocketLibrary::send(TSocketHandle socket, const void* buffer, int length, int flags) {
  GRABWELL_REQUIRE_LOADED();
  const int fd = static_cast<int>(socket);
  const ssize_t sent = ::send(fd, buffer, static_cast<std::size_t>(length), flags | MSG_NOSIGNAL);
  if (sent < 0) {
    if (errno == EAGAIN || errno == EWOULDBLOCK) posix::TEventLoop::Instance().WriteWouldBlock(fd);
    return impl_->FailFromErrno();
  }
  return static_cast<int>(sent);
}

int TSocketLibrary::gethostname(char* name, int length) {
  GRABWELL_REQUIRE_LOADED();
  if (::gethostname(name, static_cast<std::size_t>(length)) != 0) return impl_->FailFromErrno();
  return 0;
}

std::uint32_t TSocketLibrary::inet_addr(const char* dotted) {
  GRABWELL_REQUIRE_LOADED();
  return ::inet_addr(dotted);
}

std::uint16_t TSocketLibrary::htons(std::uint16_t host_order) {
  GRABWELL_REQUIRE_LOADED();
  if constexpr (std::endian::native == std::endian::big) return host_order;
  return static_cast<std::uint16_t>((host_order >> 8) | (host_order << 8));
}

std::optional<std::array<std::uint8_t, 4>> TSocketLibrary::FirstHostAddress(const TLookupBuffer& buffer) {
  if (buffer.bytes[0] != kFilled) return std::nullopt;
  std::array<std::uint8_t, 4> address;
  std::memcpy(address.data(), &buffer.bytes[1], 4);
  return address;
}

std::optional<std::uint16_t> TSocketLibrary::ServicePort(const TLookupBuffer& buffer) {
  if (buffer.bytes[0] != kFilled) return std::nullopt;
  std::uint16_t network_order;
  std::memcpy(&network_order, &buffer.bytes[1], 2);
  return ntohs(network_order);
}

}  // namespace platform
