#include "platform/socket_message_window.h"

#include "platform/win32/hidden_window.h"

namespace platform {

struct TSocketMessageWindow::Impl {
  explicit Impl(TSocketNotificationSink& sink)
      : window([&sink](UINT message, WPARAM wparam, LPARAM lparam) {
          if (message != kWmHostLookupDone && message != kWmServiceLookupDone && message != kWmSocketEvent) {
            return false;
          }
          sink.SocketNotification(message, static_cast<std::uintptr_t>(wparam), static_cast<std::uint32_t>(lparam));
          return true;
        }) {}
  win32::THiddenWindow window;
};

TSocketMessageWindow::TSocketMessageWindow(TSocketNotificationSink& sink) : impl_(std::make_unique<Impl>(sink)) {}

TSocketMessageWindow::~TSocketMessageWindow() = default;

void TSocketMessageWindow::Post(unsigned message, std::uintptr_t wparam, std::uint32_t lparam) {
  PostMessageW(impl_->window.Handle(), message, static_cast<WPARAM>(wparam), static_cast<LPARAM>(lparam));
}

std::uintptr_t TSocketMessageWindow::NativeHandle() const {
  return reinterpret_cast<std::uintptr_t>(impl_->window.Handle());
}

}  // namespace platform
