#include "platform/posix/event_loop.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>

#include "platform/posix/post_box.h"
#include "platform/posix/winsock_errors.h"
#include "platform/socket_api.h"

namespace platform::posix {

TEventLoop::TEventLoop() : postbox_(std::make_shared<TPostBox>()) {}

std::uintptr_t TEventLoop::AddMailbox(TSocketNotificationSink& sink) {
  const std::uintptr_t id = next_mailbox_++;
  mailboxes_[id] = &sink;
  return id;
}

void TEventLoop::RemoveMailbox(std::uintptr_t id) {
  mailboxes_.erase(id);
  std::erase_if(watched_, [id](const auto& entry) { return entry.second.mailbox == id; });
}

void TEventLoop::Post(std::uintptr_t mailbox, unsigned message, std::uintptr_t wparam, std::uint32_t lparam,
                      std::function<bool()> accept) {
  postbox_->Post({mailbox, message, wparam, lparam, std::move(accept)});
}

void TEventLoop::WatchSocket(int fd, std::uintptr_t mailbox, unsigned message, long events) {
  if (events == 0) {
    watched_.erase(fd);
    return;
  }
  TWatch& watch = watched_[fd];
  watch.mailbox = mailbox;
  watch.message = message;
  watch.events = events;
}

void TEventLoop::UnwatchSocket(int fd) { watched_.erase(fd); }

void TEventLoop::ConnectStarted(int fd) {
  if (auto found = watched_.find(fd); found != watched_.end()) found->second.connecting = true;
}

void TEventLoop::ReadAttempted(int fd) {
  if (auto found = watched_.find(fd); found != watched_.end()) found->second.read_armed = true;
}

void TEventLoop::WriteWouldBlock(int fd) {
  if (auto found = watched_.find(fd); found != watched_.end()) found->second.write_armed = true;
}

int TEventLoop::AddTimer(unsigned interval_ms, std::function<void()> on_tick) {
  const int id = next_timer_++;
  timers_[id] = TTimerEntry{std::chrono::milliseconds(interval_ms), std::move(on_tick)};
  return id;
}

void TEventLoop::EnableTimer(int id, bool enabled) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  TTimerEntry& timer = found->second;
  if (timer.enabled != enabled) enabled_timers_ += enabled ? 1 : -1;
  timer.enabled = enabled;
  if (enabled) timer.due = TClock::now() + timer.interval;
}

void TEventLoop::RemoveTimer(int id) {
  EnableTimer(id, false);
  timers_.erase(id);
}

int TEventLoop::PollTimeout(unsigned max_wait_ms) const {
  if (PostsWaiting()) return 0;
  auto wait = std::chrono::milliseconds(max_wait_ms);
  const auto now = TClock::now();
  for (const auto& [id, timer] : timers_) {
    if (!timer.enabled) continue;
    const auto until_due = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now);
    wait = std::min(wait, std::max(until_due, std::chrono::milliseconds(0)));
  }
  return static_cast<int>(wait.count());
}

void TEventLoop::Process(unsigned max_wait_ms) {
  PollSockets(PollTimeout(max_wait_ms));
  FireDueTimers();
  DeliverPosts();
}

void TEventLoop::PollSockets(int timeout_ms) {
  std::vector<pollfd> fds{{postbox_->WakeFd(), POLLIN, 0}};
  for (const auto& [fd, watch] : watched_) {
    short events = 0;
    if (watch.finished) continue;
    if (watch.connecting) {
      events = POLLOUT;
    } else {
      if (watch.read_armed && (watch.events & (kFdRead | kFdClose))) events |= POLLIN;
      if (watch.write_armed && (watch.events & kFdWrite)) events |= POLLOUT;
    }
    if (events != 0) fds.push_back({fd, events, 0});
  }
  if (fds.size() == 1 && timeout_ms == 0) return;
  if (poll(fds.data(), fds.size(), timeout_ms) <= 0) return;
  for (std::size_t i = 1; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    if (auto found = watched_.find(fds[i].fd); found != watched_.end())
      CheckSocket(fds[i].fd, found->second, fds[i].revents);
  }
}

// Turns what poll saw on one socket into the notifications WinSock would post.
void TEventLoop::CheckSocket(int fd, TWatch& watch, short revents) {
  auto notify = [&](std::uint16_t event, int error) {
    if (watch.events & event) {
      Post(watch.mailbox, watch.message, static_cast<std::uintptr_t>(fd),
           MakeSocketLParam(event, static_cast<std::uint16_t>(error)));
    }
  };
  if (watch.connecting) {
    int error = 0;
    socklen_t length = sizeof error;
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
    watch.connecting = false;
    notify(kFdConnect, error == 0 ? 0 : WinsockErrorFromErrno(error));
    if (error != 0) {
      watch.finished = true;
      return;
    }
    notify(kFdWrite, 0);
    return;
  }
  if (revents & POLLOUT) {
    watch.write_armed = false;
    notify(kFdWrite, 0);
  }
  if (revents & (POLLIN | POLLHUP | POLLERR)) {
    char next;
    const ssize_t peeked = recv(fd, &next, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked > 0) {
      watch.read_armed = false;
      notify(kFdRead, 0);
    } else if (peeked == 0) {
      watch.finished = true;
      notify(kFdClose, 0);
    } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      watch.finished = true;
      notify(kFdClose, WinsockErrorFromErrno(errno));
    }
  }
}

void TEventLoop::FireDueTimers() {
  const auto now = TClock::now();
  std::vector<int> due;
  for (const auto& [id, timer] : timers_) {
    if (timer.enabled && timer.due <= now) due.push_back(id);
  }
  for (int id : due) {
    auto found = timers_.find(id);  // an earlier tick may have removed it
    if (found == timers_.end() || !found->second.enabled) continue;
    found->second.due = now + found->second.interval;
    auto on_tick = found->second.on_tick;
    on_tick();
  }
}

void TEventLoop::DeliverPosts() {
  if (!PostsWaiting()) return;
  for (TPostedMessage& posted : postbox_->TakeAll()) {
    if (posted.accept && !posted.accept()) continue;
    auto found = mailboxes_.find(posted.mailbox);
    if (found != mailboxes_.end()) found->second->SocketNotification(posted.message, posted.wparam, posted.lparam);
  }
}

}  // namespace platform::posix
