#include "platform/message_pump.h"

#include <windows.h>

#include "platform/win32/message_loop.h"

namespace {

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the main message loop to see.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    win::DispatchOneMessage(message);
  }
}

// The performance counter is read without entering the kernel, unlike a
// look at the message queue; asking the queue at most once a millisecond
// keeps a call per encoded line free.
LONGLONG Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

LONGLONG TicksPerMillisecond() {
  static const LONGLONG ticks = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart / 1000 > 0 ? frequency.QuadPart / 1000 : 1;
  }();
  return ticks;
}

}  // namespace

void ProcessPendingMessages() {
  static LONGLONG last_look = 0;
  const LONGLONG now = Now();
  if (now - last_look < TicksPerMillisecond()) return;
  last_look = now;
  DispatchWaitingMessages();
}

void WaitForMessages(unsigned max_wait_ms) {
  // MWMO_INPUTAVAILABLE returns at once when something is already queued.
  MsgWaitForMultipleObjectsEx(0, nullptr, max_wait_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  DispatchWaitingMessages();
}
