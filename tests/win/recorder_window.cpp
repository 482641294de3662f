#include "recorder_window.h"

namespace {

const win::TWindowClass& RecorderClass() {
  static const win::TWindowClass window_class(win::TWindow::ClassDescription(L"GrabwellTestRecorder"));
  return window_class;
}

}  // namespace

TRecorderWindow::TRecorderWindow() {
  win::TWindowParams params;
  params.class_name = RecorderClass().Name();
  params.style = WS_POPUP;
  params.x = 0;
  params.y = 0;
  CreateHandle(params);
}

LRESULT TRecorderWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message >= WM_USER && message < WM_USER + 0x100) {
    Messages.push_back({message, static_cast<std::intptr_t>(wparam), static_cast<std::intptr_t>(lparam)});
    return 0;
  }
  return Default(message, wparam, lparam);
}

void PumpMessagesFor(std::chrono::milliseconds duration) {
  auto deadline = std::chrono::steady_clock::now() + duration;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
  }
}
