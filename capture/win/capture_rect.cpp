#include "capture/win/capture_rect.h"

#include <utility>
#include <vector>

#include "platform/win32/window_frame.h"

namespace {

TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
  reinterpret_cast<std::vector<TRect>*>(monitors)->push_back(ToTRect(*rect));
  return TRUE;
}

}  // namespace

RECT ScreenRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

TVirtualScreen CurrentVirtualScreen() {
  std::vector<TRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return TVirtualScreen(ToTRect(ScreenRect()), std::move(monitors));
}

std::optional<RECT> ForegroundWindowRect() {
  HWND window = GetForegroundWindow();
  if (window == nullptr) return std::nullopt;
  if (std::optional<RECT> shown = win::ExtendedFrameBounds(window)) return shown;
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return std::nullopt;
  return rect;
}

std::optional<RECT> ForegroundClientRect() {
  HWND window = GetForegroundWindow();
  RECT client{};
  if (window == nullptr || !GetClientRect(window, &client)) return std::nullopt;
  POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
  ClientToScreen(window, &corners[0]);
  ClientToScreen(window, &corners[1]);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}
