#include "platform/socket_message_window.h"

#include "platform/posix/event_loop.h"

namespace platform {

struct TSocketMessageWindow::Impl {
  std::uintptr_t mailbox;
};

TSocketMessageWindow::TSocketMessageWindow(TSocketNotificationSink& sink)
    : impl_(std::make_unique<Impl>(Impl{posix::TEventLoop::Instance().AddMailbox(sink)})) {}

TSocketMessageWindow::~TSocketMessageWindow() { posix::TEventLoop::Instance().RemoveMailbox(impl_->mailbox); }

void TSocketMessageWindow::Post(unsigned message, std::uintptr_t wparam, std::uint32_t lparam) {
  posix::TEventLoop::Instance().Post(impl_->mailbox, message, wparam, lparam);
}

std::uintptr_t TSocketMessageWindow::NativeHandle() const { return impl_->mailbox; }

}  // namespace platform
