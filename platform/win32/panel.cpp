#include "platform/win32/panel.h"

namespace win {
namespace {

const TWindowClass& PanelClass() {
  static const TWindowClass panel_class(TWindow::ClassDescription(L"GrabwellPanel"));
  return panel_class;
}

}  // namespace

TPanel::TPanel(HWND parent, TBounds bounds) {
  TWindowParams params;
  params.class_name = PanelClass().Name();
  params.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  params.ex_style = WS_EX_CONTROLPARENT;
  params.x = bounds.left;
  params.y = bounds.top;
  params.width = bounds.width;
  params.height = bounds.height;
  params.parent = parent;
  CreateHandle(params);
}

void TPanel::MoveTo(int left, int top) {
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win
