#include "platform/win32/swatch.h"

namespace win {

TColorSwatch::TColorSwatch(HWND parent, TBounds bounds) {
  static const TWindowClass swatch_class(TWindow::ClassDescription(L"GrabwellSwatch"));
  CreateChild(swatch_class.Name(), parent, bounds, WS_BORDER);
}

void TColorSwatch::SetColor(COLORREF color) {
  color_ = color;
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TColorSwatch::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) return Default(message, wparam, lparam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client{};
  GetClientRect(Handle(), &client);
  TBrush brush(CreateSolidBrush(color_));
  FillRect(dc, &client, brush.Get());
  EndPaint(Handle(), &paint);
  return 0;
}

}  // namespace win
