// The hourglass cursor for the length of a scope: the previous cursor comes
// back on every path out of it, an exception included.
#pragma once

#include <windows.h>

namespace win {

class THourglass {
 public:
  THourglass() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~THourglass() { SetCursor(previous_ != nullptr ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace win
