// The WinSock 1.1 subset that the mail transport uses, as an interface so
// that the transport runs unchanged over the real library (Windows: loaded
// from "wsock32.dll"; native: POSIX sockets) or over a scripted fake in tests.
//
// Values follow WinSock: error numbers are WinSock's (10035, 10054, ...),
// addresses and ports in network byte order where WinSock has them so, and
// completion of lookups and socket readiness is reported as window messages
// to a TSocketMessageWindow.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/socket_message_window.h"

namespace platform {

using TSocketHandle = std::uintptr_t;
inline constexpr TSocketHandle kInvalidSocket = ~TSocketHandle{0};
inline constexpr int kSocketError = -1;

// Handle of a running asynchronous lookup; 0 means "could not be started".
using TAsyncRequest = std::uintptr_t;

inline constexpr int kAfInet = 2;
inline constexpr int kSockStream = 1;
inline constexpr std::uint32_t kInaddrNone = 0xFFFFFFFFu;
inline constexpr std::uint16_t kWinsockVersion11 = 0x0101;

// WinSock error numbers the transport tests for by value.
inline constexpr int kWsaEWouldBlock = 10035;
inline constexpr int kWsaEConnReset = 10054;

// Socket events (low word of a socket-event notification).
inline constexpr std::uint16_t kFdRead = 1;
inline constexpr std::uint16_t kFdWrite = 2;
inline constexpr std::uint16_t kFdConnect = 16;
inline constexpr std::uint16_t kFdClose = 32;
inline constexpr long kFdTransportMask = kFdRead | kFdWrite | kFdConnect | kFdClose;  // 0x33

// Result buffer of an asynchronous lookup (the size WinSock asks for). Its
// layout belongs to the backend that filled it; read it with
// TSocketApi::FirstHostAddress or TSocketApi::ServicePort.
struct alignas(16) TLookupBuffer {
  std::array<char, 1024> bytes{};
};

// What `connect` needs of an IPv4 address record.
struct TInetAddress {
  std::uint16_t port_network_order = 0;
  std::uint32_t address_network_order = 0;  // as inet_addr returns it
};

class TSocketApi {
 public:
  virtual ~TSocketApi() = default;

  virtual int WSAStartup(std::uint16_t version) = 0;
  virtual int WSACleanup() = 0;
  virtual int WSAGetLastError() = 0;
  virtual bool WSAIsBlocking() = 0;
  virtual int WSACancelBlockingCall() = 0;

  // The lookups report to `window` with `message`; the lParam's high word
  // carries the error number. The result is in `buffer` once reported.
  virtual TAsyncRequest WSAAsyncGetHostByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                              TLookupBuffer& buffer) = 0;
  virtual TAsyncRequest WSAAsyncGetServByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                              const char* protocol, TLookupBuffer& buffer) = 0;
  virtual int WSACancelAsyncRequest(TAsyncRequest request) = 0;
  // Registers the socket for readiness notifications (low word: event, high
  // word: error) and makes it non-blocking.
  virtual int WSAAsyncSelect(TSocketHandle socket, TSocketMessageWindow& window, unsigned message, long events) = 0;

  virtual TSocketHandle socket(int family, int type, int protocol) = 0;
  virtual int connect(TSocketHandle socket, const TInetAddress& address) = 0;
  virtual int closesocket(TSocketHandle socket) = 0;
  virtual int recv(TSocketHandle socket, void* buffer, int length, int flags) = 0;
  virtual int send(TSocketHandle socket, const void* buffer, int length, int flags) = 0;
  virtual int gethostname(char* name, int length) = 0;
  virtual std::uint32_t inet_addr(const char* dotted) = 0;
  virtual std::uint16_t htons(std::uint16_t host_order) = 0;

  // Readers of a lookup's result: the first IPv4 address of a host, as its
  // four bytes in order; the port of a service, in host byte order.
  virtual std::optional<std::array<std::uint8_t, 4>> FirstHostAddress(const TLookupBuffer& buffer) = 0;
  virtual std::optional<std::uint16_t> ServicePort(const TLookupBuffer& buffer) = 0;
};

}  // namespace platform
