// The hook library's view of the program's shared block, opened by name the
// first time it is needed (the program creates the block before it installs
// any hook) and kept until the library is unloaded.
#pragma once

#include <windows.h>

#include "hook/hook_share.h"
#include "platform/win32/handles.h"

namespace kvexhk {

class TSharedBlock {
 public:
  // The block, or null while the program has not created it.
  THookShare* Get();

 private:
  win::TFileMapping mapping_;
  win::TMappedView view_;
};

// Posts `message` to a window stored in the block; nothing for a 0 field.
void PostToWindow(std::uint32_t window_field, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace kvexhk
