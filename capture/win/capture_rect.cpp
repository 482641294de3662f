#include "capture/win/capture_rect.h"

#include "platform/win32/handles.h"

RECT ScreenRect() {
  win::TWindowDC display(nullptr);
  if (!display) return RECT{};
  return RECT{0, 0, GetDeviceCaps(display.Get(), HORZRES), GetDeviceCaps(display.Get(), VERTRES)};
}

std::optional<RECT> ForegroundWindowRect() {
  HWND window = GetForegroundWindow();
  RECT rect{};
  if (window == nullptr || !GetWindowRect(window, &rect)) return std::nullopt;
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
