#include "capture/win/capture_rect.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/window_frame.h"

namespace {

TRect ToTRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
  reinterpret_cast<std::vector<TRect>*>(monitors)->push_back(ToTRect(*rect));
  return TRUE;
}

// The virtual screen as the system gives it: four GetSystemMetrics calls,
// each of which enumerates the monitors again under Wine.
TRect SystemVirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

RECT ScreenRect() {
  const TRect bounds = CurrentVirtualScreen().Bounds();
  return RECT{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
}

// The virtual screen is the rectangle that holds every monitor, so one
// enumeration gives both; it costs a fifth of the system's four metrics.
TVirtualScreen CurrentVirtualScreen() {
  std::vector<TRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) return TVirtualScreen(SystemVirtualScreen(), {});
  TRect bounds = monitors.front();
  for (const TRect& m : monitors) {
    bounds = {std::min(bounds.Left, m.Left), std::min(bounds.Top, m.Top), std::max(bounds.Right, m.Right),
              std::max(bounds.Bottom, m.Bottom)};
  }
  return TVirtualScreen(bounds, std::move(monitors));
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
