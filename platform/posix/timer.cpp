#include "platform/timer.h"

#include "platform/posix/event_loop.h"

namespace platform {

struct TTimer::Impl {
  int id;
  bool enabled = false;
};

TTimer::TTimer(unsigned interval_ms, std::function<void()> on_tick)
    : impl_(std::make_unique<Impl>(Impl{posix::TEventLoop::Instance().AddTimer(interval_ms, std::move(on_tick))})) {}

TTimer::~TTimer() { posix::TEventLoop::Instance().RemoveTimer(impl_->id); }

void TTimer::SetEnabled(bool enabled) {
  impl_->enabled = enabled;
  posix::TEventLoop::Instance().EnableTimer(impl_->id, enabled);
}

bool TTimer::Enabled() const { return impl_->enabled; }

}  // namespace platform
