// A hidden test window that records the private messages (WM_USER and up)
// posted to it, and a pump that waits for them while handling the thread's
// messages (which is also what runs low-level hooks installed here).
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/window.h"

struct TRecordedMessage {
  UINT message;
  std::intptr_t wparam;
  std::intptr_t lparam;
  friend bool operator==(const TRecordedMessage&, const TRecordedMessage&) = default;
};

class TRecorderWindow : public win::TWindow {
 public:
  TRecorderWindow();
  std::vector<TRecordedMessage> Messages;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// Handles the thread's messages for `duration`.
void PumpMessagesFor(std::chrono::milliseconds duration);

// Handles messages until `done()` holds or `timeout` passes; returns done().
template <typename Predicate>
bool PumpMessagesUntil(Predicate done, std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    PumpMessagesFor(std::chrono::milliseconds(10));
  }
  return true;
}
