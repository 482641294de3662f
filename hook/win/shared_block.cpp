#include "hook/win/shared_block.h"

#include "hook/hook_messages.h"

namespace kvexhk {

THookShare* TSharedBlock::Get() {
  if (!view_) {
    mapping_.Reset(OpenFileMappingW(FILE_MAP_WRITE, FALSE, kHookShareName));
    if (!mapping_) return nullptr;
    view_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, kHookShareSize));
  }
  return static_cast<THookShare*>(view_.Get());
}

void PostToWindow(std::uint32_t window_field, UINT message, WPARAM wparam, LPARAM lparam) {
  if (window_field == 0) return;
  PostMessageW(reinterpret_cast<HWND>(FieldToHandle(window_field)), message, wparam, lparam);
}

}  // namespace kvexhk
