#include "platform/message_pump.h"

#include <time.h>

#include "platform/posix/event_loop.h"

namespace {

// The coarse monotonic clock is read from the vDSO in a few nanoseconds;
// its tick (1-4 ms) bounds how long a waiting message can be delayed.
long long CoarseMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

void ProcessPendingMessages() {
  auto& loop = platform::posix::TEventLoop::Instance();
  if (loop.Idle()) return;
  static long long last_poll_ms = 0;
  const long long now = CoarseMilliseconds();
  if (now == last_poll_ms) return;
  last_poll_ms = now;
  loop.Process(0);
}

void WaitForMessages(unsigned max_wait_ms) { platform::posix::TEventLoop::Instance().Process(max_wait_ms); }
