#include "platform/win32/panel.h"

namespace win {
namespace {

const TWindowClass& PanelClass() {
  static const TWindowClass panel_class(TWindow::ClassDescription(L"GrabwellPanel"));
  return panel_class;
}

}  // namespace

TPanel::TPanel(HWND parent, TBounds bounds) {
  CreateChild(PanelClass().Name(), parent, bounds, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

}  // namespace win
