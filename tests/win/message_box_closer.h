// Answers the message boxes this process shows with OK, from a thread of
// its own, and records what each one said, so that a test can call code
// that shows one without a user at the screen.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TShownMessage {
  std::wstring Caption;
  std::wstring Text;
  friend bool operator==(const TShownMessage&, const TShownMessage&) = default;
};

class TMessageBoxCloser {
 public:
  TMessageBoxCloser();
  ~TMessageBoxCloser();
  TMessageBoxCloser(const TMessageBoxCloser&) = delete;
  TMessageBoxCloser& operator=(const TMessageBoxCloser&) = delete;

  std::vector<TShownMessage> Shown() const;

 private:
  void Watch();

  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<TShownMessage> shown_;
  std::thread thread_;
};
