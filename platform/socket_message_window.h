// A hidden window that receives the asynchronous socket notifications
// (lookup finished, socket readiness) and hands them to its sink on the
// user-interface thread, from ProcessPendingMessages. On Windows it is a
// real message-only window; natively it is a mailbox of the message pump.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// Window messages of the socket component.
inline constexpr unsigned kWmHostLookupDone = 0x400 + 0x94;     // 1172
inline constexpr unsigned kWmServiceLookupDone = 0x400 + 0x95;  // 1173
inline constexpr unsigned kWmSocketEvent = 0x400 + 0x96;        // 1174

class TSocketNotificationSink {
 public:
  virtual ~TSocketNotificationSink() = default;
  // Called for each of the three messages above. `wparam` names the lookup
  // request or the socket; `lparam` holds the event (low word) and the error
  // code (high word).
  virtual void SocketNotification(unsigned message, std::uintptr_t wparam, std::uint32_t lparam) = 0;
};

class TSocketMessageWindow {
 public:
  explicit TSocketMessageWindow(TSocketNotificationSink& sink);
  ~TSocketMessageWindow();
  TSocketMessageWindow(const TSocketMessageWindow&) = delete;
  TSocketMessageWindow& operator=(const TSocketMessageWindow&) = delete;

  // Queues a message to this window; it is delivered by a later pump.
  void Post(unsigned message, std::uintptr_t wparam, std::uint32_t lparam);

  // The backend's handle of the window (an HWND on Windows, a mailbox id
  // natively), for the socket library's registration calls.
  std::uintptr_t NativeHandle() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

inline std::uint32_t MakeSocketLParam(std::uint16_t low, std::uint16_t high) {
  return static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
}
inline std::uint16_t SocketLParamLow(std::uint32_t lparam) { return static_cast<std::uint16_t>(lparam & 0xFFFF); }
inline std::uint16_t SocketLParamHigh(std::uint32_t lparam) { return static_cast<std::uint16_t>(lparam >> 16); }

}  // namespace platform
