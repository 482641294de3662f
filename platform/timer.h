// A repeating timer of the user-interface thread, in the manner of the
// forms framework's timer: created disabled, its handler runs from the
// message pump once per interval while enabled.
#pragma once

#include <functional>
#include <memory>

namespace platform {

class TTimer {
 public:
  TTimer(unsigned interval_ms, std::function<void()> on_tick);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  // Enabling (again) starts a fresh interval; disabling stops the ticks.
  void SetEnabled(bool enabled);
  bool Enabled() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
