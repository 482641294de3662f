#include "platform/win32/message_loop.h"

namespace win {

void DispatchOneMessage(MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  const bool navigable = root != nullptr && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
  if (navigable && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void RunMessageLoop(const std::function<bool()>& done, const std::function<bool(const MSG&)>& filter) {
  MSG message;
  while (!(done && done())) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0 && done) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (filter && filter(message)) continue;
    DispatchOneMessage(message);
  }
}

}  // namespace win
