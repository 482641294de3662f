// The hourglass cursor for the lifetime of this object; the previous cursor
// comes back in the destructor, also when an error passes. While one is
// alive, every window of ours keeps the hourglass when the mouse moves over
// it (the message loop may run meanwhile, as during a mail transfer).
#pragma once

#include <windows.h>

namespace win {

class TWaitCursor {
 public:
  TWaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) { ++active_; }
  ~TWaitCursor() {
    --active_;
    SetCursor(previous_);
  }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

  static bool Active() { return active_ > 0; }

 private:
  static inline int active_ = 0;
  HCURSOR previous_;
};

}  // namespace win
