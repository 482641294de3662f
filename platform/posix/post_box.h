// Messages posted to the native event loop, from any thread. A pipe wakes a
// poll that is waiting for them.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

namespace platform::posix {

struct TPostedMessage {
  std::uintptr_t mailbox = 0;
  unsigned message = 0;
  std::uintptr_t wparam = 0;
  std::uint32_t lparam = 0;
  std::function<bool()> accept;
};

class TPostBox {
 public:
  TPostBox();
  ~TPostBox();
  TPostBox(const TPostBox&) = delete;
  TPostBox& operator=(const TPostBox&) = delete;

  void Post(TPostedMessage message);
  std::deque<TPostedMessage> TakeAll();
  // Lock-free, so that an idle pump costs next to nothing.
  bool Empty() const { return waiting_.load(std::memory_order_acquire) == 0; }
  // Readable end of the wake-up pipe, for poll.
  int WakeFd() const { return pipe_[0]; }

 private:
  mutable std::mutex mutex_;
  std::deque<TPostedMessage> messages_;
  std::atomic<std::size_t> waiting_{0};
  int pipe_[2] = {-1, -1};
};

}  // namespace platform::posix
