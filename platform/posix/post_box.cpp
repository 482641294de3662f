#include "platform/posix/post_box.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace platform::posix {

TPostBox::TPostBox() {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("cannot create the message queue's pipe");
}

TPostBox::~TPostBox() {
  close(pipe_[0]);
  close(pipe_[1]);
}

void TPostBox::Post(TPostedMessage message) {
  std::lock_guard lock(mutex_);
  const bool was_empty = messages_.empty();
  messages_.push_back(std::move(message));
  waiting_.store(messages_.size(), std::memory_order_release);
  if (was_empty) {
    const char wake = 1;
    // A full pipe already wakes the reader; nothing is lost if this fails.
    [[maybe_unused]] auto written = write(pipe_[1], &wake, 1);
  }
}

std::deque<TPostedMessage> TPostBox::TakeAll() {
  std::lock_guard lock(mutex_);
  char drain[64];
  while (read(pipe_[0], drain, sizeof drain) > 0) {
  }
  waiting_.store(0, std::memory_order_release);
  return std::exchange(messages_, {});
}

}  // namespace platform::posix
