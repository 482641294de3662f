// The system's WinSock library, loaded at run time. On Windows it is
// "wsock32.dll" and every call looks its function up by name again; the
// native build offers the same calls over POSIX sockets (its "library" is
// always present once loaded).
#pragma once

#include <memory>

#include "platform/socket_api.h"

namespace platform {

class TSocketLibrary final : public TSocketApi {
 public:
  // Called when a function cannot be reached: with nullptr when the library
  // is not loaded, else with the missing function's name. It must throw;
  // if it returns, std::logic_error is thrown instead.
  using TUnavailableHandler = void (*)(const char* function);

  explicit TSocketLibrary(TUnavailableHandler unavailable);
  ~TSocketLibrary() override;

  // Loads the library; false when it cannot be found.
  bool Load();
  void Unload();
  bool IsLoaded() const;

  int WSAStartup(std::uint16_t version) override;
  int WSACleanup() override;
  int WSAGetLastError() override;
  bool WSAIsBlocking() override;
  int WSACancelBlockingCall() override;
  TAsyncRequest WSAAsyncGetHostByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                      TLookupBuffer& buffer) override;
  TAsyncRequest WSAAsyncGetServByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                      const char* protocol, TLookupBuffer& buffer) override;
  int WSACancelAsyncRequest(TAsyncRequest request) override;
  int WSAAsyncSelect(TSocketHandle socket, TSocketMessageWindow& window, unsigned message, long events) override;
  TSocketHandle socket(int family, int type, int protocol) override;
  int connect(TSocketHandle socket, const TInetAddress& address) override;
  int closesocket(TSocketHandle socket) override;
  int recv(TSocketHandle socket, void* buffer, int length, int flags) override;
  int send(TSocketHandle socket, const void* buffer, int length, int flags) override;
  int gethostname(char* name, int length) override;
  std::uint32_t inet_addr(const char* dotted) override;
  std::uint16_t htons(std::uint16_t host_order) override;
  std::optional<std::array<std::uint8_t, 4>> FirstHostAddress(const TLookupBuffer& buffer) override;
  std::optional<std::uint16_t> ServicePort(const TLookupBuffer& buffer) override;

  struct Impl;

 private:
  TUnavailableHandler unavailable_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
