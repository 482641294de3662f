// The hourglass cursor for the lifetime of this object; the previous cursor
// comes back in the destructor, also when an error passes.
#pragma once

#include <windows.h>

namespace win {

class TWaitCursor {
 public:
  TWaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~TWaitCursor() { SetCursor(previous_); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace win
