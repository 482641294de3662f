// WinSock 1.1 from "wsock32.dll", loaded at run time. Every call looks its
// function up by name again, so a library that lacks one fails that call
// alone with the function's name.
#include "platform/socket_library.h"

#include <windows.h>
#include <winsock.h>

#include <cstring>
#include <stdexcept>

namespace platform {

struct TSocketLibrary::Impl {
  HMODULE module = nullptr;
  WSADATA startup_data{};

  ~Impl() {
    if (module != nullptr) FreeLibrary(module);
  }
};

namespace {

HWND WindowOf(const TSocketMessageWindow& window) { return reinterpret_cast<HWND>(window.NativeHandle()); }

}  // namespace

TSocketLibrary::TSocketLibrary(TUnavailableHandler unavailable)
    : unavailable_(unavailable), impl_(std::make_unique<Impl>()) {}

TSocketLibrary::~TSocketLibrary() = default;

bool TSocketLibrary::Load() {
  if (impl_->module != nullptr) return true;
  const UINT previous_mode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryW(L"wsock32.dll");
  SetErrorMode(previous_mode);
  // Old systems report failure as a handle value below 32.
  if (reinterpret_cast<std::uintptr_t>(module) < 32) {
    impl_->module = nullptr;
    return false;
  }
  impl_->module = module;
  return true;
}

void TSocketLibrary::Unload() {
  if (impl_->module == nullptr) return;
  FreeLibrary(impl_->module);
  impl_->module = nullptr;
}

bool TSocketLibrary::IsLoaded() const { return impl_->module != nullptr; }

namespace {

template <class Function>
Function Find(HMODULE module, TSocketLibrary::TUnavailableHandler unavailable, const char* name) {
  if (module == nullptr) {
    unavailable(nullptr);
    throw std::logic_error("socket library not loaded");
  }
  FARPROC found = GetProcAddress(module, name);
  if (found == nullptr) {
    unavailable(name);
    throw std::logic_error(name);
  }
  return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace

#define GRABWELL_WINSOCK(name) Find<decltype(&::name)>(impl_->module, unavailable_, #name)

int TSocketLibrary::WSAStartup(std::uint16_t version) {
  return GRABWELL_WINSOCK(WSAStartup)(version, &impl_->startup_data);
}

int TSocketLibrary::WSACleanup() { return GRABWELL_WINSOCK(WSACleanup)(); }

int TSocketLibrary::WSAGetLastError() { return GRABWELL_WINSOCK(WSAGetLastError)(); }

bool TSocketLibrary::WSAIsBlocking() { return GRABWELL_WINSOCK(WSAIsBlocking)() != FALSE; }

int TSocketLibrary::WSACancelBlockingCall() { return GRABWELL_WINSOCK(WSACancelBlockingCall)(); }

TAsyncRequest TSocketLibrary::WSAAsyncGetHostByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                                    TLookupBuffer& buffer) {
  HANDLE request = GRABWELL_WINSOCK(WSAAsyncGetHostByName)(WindowOf(window), message, name, buffer.bytes.data(),
                                                           static_cast<int>(buffer.bytes.size()));
  return reinterpret_cast<TAsyncRequest>(request);
}

TAsyncRequest TSocketLibrary::WSAAsyncGetServByName(TSocketMessageWindow& window, unsigned message, const char* name,
                                                    const char* protocol, TLookupBuffer& buffer) {
  HANDLE request = GRABWELL_WINSOCK(WSAAsyncGetServByName)(WindowOf(window), message, name, protocol,
                                                           buffer.bytes.data(), static_cast<int>(buffer.bytes.size()));
  return reinterpret_cast<TAsyncRequest>(request);
}

int TSocketLibrary::WSACancelAsyncRequest(TAsyncRequest request) {
  return GRABWELL_WINSOCK(WSACancelAsyncRequest)(reinterpret_cast<HANDLE>(request));
}

int TSocketLibrary::WSAAsyncSelect(TSocketHandle socket, TSocketMessageWindow& window, unsigned message, long events) {
  return GRABWELL_WINSOCK(WSAAsyncSelect)(static_cast<SOCKET>(socket), WindowOf(window), message, events);
}

TSocketHandle TSocketLibrary::socket(int family, int type, int protocol) {
  const SOCKET created = GRABWELL_WINSOCK(socket)(family, type, protocol);
  return created == INVALID_SOCKET ? kInvalidSocket : static_cast<TSocketHandle>(created);
}

int TSocketLibrary::connect(TSocketHandle socket, const TInetAddress& address) {
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = address.port_network_order;
  target.sin_addr.s_addr = address.address_network_order;
  return GRABWELL_WINSOCK(connect)(static_cast<SOCKET>(socket), reinterpret_cast<const sockaddr*>(&target),
                                   sizeof target);
}

int TSocketLibrary::closesocket(TSocketHandle socket) {
  return GRABWELL_WINSOCK(closesocket)(static_cast<SOCKET>(socket));
}

int TSocketLibrary::recv(TSocketHandle socket, void* buffer, int length, int flags) {
  return GRABWELL_WINSOCK(recv)(static_cast<SOCKET>(socket), static_cast<char*>(buffer), length, flags);
}

int TSocketLibrary::send(TSocketHandle socket, const void* buffer, int length, int flags) {
  return GRABWELL_WINSOCK(send)(static_cast<SOCKET>(socket), static_cast<const char*>(buffer), length, flags);
}

int TSocketLibrary::gethostname(char* name, int length) { return GRABWELL_WINSOCK(gethostname)(name, length); }

std::uint32_t TSocketLibrary::inet_addr(const char* dotted) {
  return static_cast<std::uint32_t>(GRABWELL_WINSOCK(inet_addr)(dotted));
}

std::uint16_t TSocketLibrary::htons(std::uint16_t host_order) { return GRABWELL_WINSOCK(htons)(host_order); }

std::optional<std::array<std::uint8_t, 4>> TSocketLibrary::FirstHostAddress(const TLookupBuffer& buffer) {
  const auto* host = reinterpret_cast<const hostent*>(buffer.bytes.data());
  if (host->h_length != 4 || host->h_addr_list == nullptr || host->h_addr_list[0] == nullptr) return std::nullopt;
  std::array<std::uint8_t, 4> address;
  std::memcpy(address.data(), host->h_addr_list[0], 4);
  return address;
}

std::optional<std::uint16_t> TSocketLibrary::ServicePort(const TLookupBuffer& buffer) {
  const auto* service = reinterpret_cast<const servent*>(buffer.bytes.data());
  if (service->s_name == nullptr) return std::nullopt;
  // s_port holds the port in network order, big end first in memory.
  std::uint8_t bytes[2];
  std::memcpy(bytes, &service->s_port, 2);
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

}  // namespace platform
