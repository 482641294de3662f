#include "platform/win32/image_control.h"

namespace win {
namespace {

const TWindowClass& ImageClass() {
  static const TWindowClass image_class([] {
    WNDCLASSEXW description = TWindow::ClassDescription(L"GrabwellImage");
    description.style |= CS_DBLCLKS;
    return description;
  }());
  return image_class;
}

}  // namespace

TImage::TImage(HWND parent, TBounds bounds) { CreateChild(ImageClass().Name(), parent, bounds); }

void TImage::SetPicture(TBitmapHandle picture) {
  picture_ = std::move(picture);
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TImage::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OnDoubleClick) OnDoubleClick();
      return 0;
    case WM_RBUTTONUP: {
      POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      ClientToScreen(Handle(), &point);
      if (OnRightClick) OnRightClick(point.x, point.y);
      return 0;
    }
    default:
      return Default(message, wparam, lparam);
  }
}

void TImage::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  if (picture_) {
    BITMAP description{};
    GetObjectW(picture_.Get(), sizeof(description), &description);
    TCreatedDC source(CreateCompatibleDC(dc));
    TSelectObject selected(source.Get(), picture_.Get());
    BitBlt(dc, 0, 0, description.bmWidth, description.bmHeight, source.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(Handle(), &paint);
}

}  // namespace win
