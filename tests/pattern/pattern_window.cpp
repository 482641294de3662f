// A window of known pixels for the end-to-end tests: "Grabwell Test
// Pattern", placed as the command line says (x y client-width
// client-height), its client area painted with a fixed pattern so that a
// capture can be compared with the screen.
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <cstdlib>
#include <vector>

namespace {

COLORREF PatternColor(int x, int y) { return RGB((x * 7 + y) & 0xFF, (y * 5) & 0xFF, ((x + y) * 3) & 0xFF); }

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      // One DIB for the whole client area: far quicker than SetPixel.
      const int width = client.right, height = client.bottom;
      std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          COLORREF c = PatternColor(x, y);
          pixels[static_cast<size_t>(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
      }
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = width;
      info.bmiHeader.biHeight = -height;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  int args = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &args);
  const int x = args > 1 ? _wtoi(argv[1]) : 100, y = args > 2 ? _wtoi(argv[2]) : 100;
  const int width = args > 3 ? _wtoi(argv[3]) : 300, height = args > 4 ? _wtoi(argv[4]) : 200;
  LocalFree(argv);

  WNDCLASSW window_class{};
  window_class.lpfnWndProc = PatternProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"GrabwellTestPattern";
  RegisterClassW(&window_class);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowW(L"GrabwellTestPattern", L"Grabwell Test Pattern", style, x, y, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
