// The native message queue behind ProcessPendingMessages: mailboxes standing
// in for hidden windows, readiness of watched sockets turned into WinSock-style
// notifications, repeating timers, and messages posted from other threads
// (name lookups). One per process, used from the user-interface thread; only
// Post may be called from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/posix/post_box.h"
#include "platform/socket_message_window.h"

namespace platform::posix {

class TEventLoop {
 public:
  using TClock = std::chrono::steady_clock;

  // Defined here so that the idle check of the message pump, called once
  // per encoded line, costs a few loads and no calls.
  static TEventLoop& Instance() {
    static TEventLoop loop;
    return loop;
  }

  // Mailboxes. A message is delivered to the sink only while the mailbox
  // exists; `accept`, when given, runs first on this thread and can drop it.
  std::uintptr_t AddMailbox(TSocketNotificationSink& sink);
  void RemoveMailbox(std::uintptr_t id);
  void Post(std::uintptr_t mailbox, unsigned message, std::uintptr_t wparam, std::uint32_t lparam,
            std::function<bool()> accept = {});
  // The thread-safe side of Post, for lookup threads that may outlive us.
  std::shared_ptr<TPostBox> PostBox() const { return postbox_; }

  // Sockets registered for notifications (WSAAsyncSelect semantics: FD_READ
  // is re-enabled by each recv, FD_WRITE by a send that would block,
  // FD_CONNECT and FD_CLOSE are reported once).
  void WatchSocket(int fd, std::uintptr_t mailbox, unsigned message, long events);
  void UnwatchSocket(int fd);
  void ConnectStarted(int fd);
  void ReadAttempted(int fd);
  void WriteWouldBlock(int fd);

  // Timers: the callback runs from the pump once per interval while enabled.
  int AddTimer(unsigned interval_ms, std::function<void()> on_tick);
  void EnableTimer(int id, bool enabled);
  void RemoveTimer(int id);

  // Handles everything that is ready; when nothing is, waits up to
  // `max_wait_ms` for something to become ready.
  void Process(unsigned max_wait_ms);
  // True when there is anything at all to look at (cheap).
  bool Idle() const { return watched_.empty() && enabled_timers_ == 0 && !PostsWaiting(); }

 private:
  struct TWatch {
    std::uintptr_t mailbox = 0;
    unsigned message = 0;
    long events = 0;
    bool connecting = false;
    bool read_armed = true;
    bool write_armed = false;
    bool finished = false;  // FD_CLOSE or a failed connect reported
  };
  struct TTimerEntry {
    std::chrono::milliseconds interval;
    std::function<void()> on_tick;
    bool enabled = false;
    TClock::time_point due;
  };

  TEventLoop();
  bool PostsWaiting() const { return !postbox_->Empty(); }
  int PollTimeout(unsigned max_wait_ms) const;
  void PollSockets(int timeout_ms);
  void CheckSocket(int fd, TWatch& watch, short revents);
  void FireDueTimers();
  void DeliverPosts();

  std::shared_ptr<TPostBox> postbox_;
  std::map<std::uintptr_t, TSocketNotificationSink*> mailboxes_;
  std::uintptr_t next_mailbox_ = 1;
  std::map<int, TWatch> watched_;
  std::map<int, TTimerEntry> timers_;
  int next_timer_ = 1;
  int enabled_timers_ = 0;
};

}  // namespace platform::posix
