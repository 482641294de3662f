#include "platform/timer.h"

#include "platform/win32/hidden_window.h"

namespace platform {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

struct TTimer::Impl {
  Impl(unsigned interval, std::function<void()> tick)
      : interval_ms(interval), on_tick(std::move(tick)), window([this](UINT message, WPARAM wparam, LPARAM) {
          if (message != WM_TIMER || wparam != kTimerId) return false;
          if (enabled) {
            auto handler = on_tick;  // the handler may destroy this timer
            handler();
          }
          return true;
        }) {}
  ~Impl() {
    if (enabled) KillTimer(window.Handle(), kTimerId);
  }
  unsigned interval_ms;
  std::function<void()> on_tick;
  bool enabled = false;
  win32::THiddenWindow window;
};

TTimer::TTimer(unsigned interval_ms, std::function<void()> on_tick)
    : impl_(std::make_unique<Impl>(interval_ms, std::move(on_tick))) {}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled) {
  // Setting the timer again restarts its interval.
  if (enabled) {
    SetTimer(impl_->window.Handle(), kTimerId, impl_->interval_ms, nullptr);
  } else if (impl_->enabled) {
    KillTimer(impl_->window.Handle(), kTimerId);
  }
  impl_->enabled = enabled;
}

bool TTimer::Enabled() const { return impl_->enabled; }

}  // namespace platform
