#include "platform/win32/window_frame.h"

#include <dwmapi.h>

#include "platform/win32/handles.h"

namespace win {
namespace {

// dwmapi.dll is loaded at run time, so that the program still starts on a
// system without it.
template <class Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

std::optional<RECT> ExtendedFrameBounds(HWND window) {
  TModule dwm(LoadLibraryW(L"dwmapi.dll"));
  if (!dwm) return std::nullopt;
  const auto composition_enabled = Find<decltype(&DwmIsCompositionEnabled)>(dwm.Get(), "DwmIsCompositionEnabled");
  const auto window_attribute = Find<decltype(&DwmGetWindowAttribute)>(dwm.Get(), "DwmGetWindowAttribute");
  BOOL enabled = FALSE;
  if (composition_enabled == nullptr || window_attribute == nullptr || FAILED(composition_enabled(&enabled)) ||
      !enabled) {
    return std::nullopt;
  }
  RECT frame{};
  if (FAILED(window_attribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof(frame)))) return std::nullopt;
  return frame;
}

}  // namespace win
