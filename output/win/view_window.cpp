#include "output/win/view_window.h"

#include <algorithm>

#include "output/win/device_image.h"

namespace {

constexpr int kWidth = 541, kHeight = 405;
constexpr int kPanelHeight = 20;
constexpr int kExitId = 1;
constexpr win::TFontDesign kButtonFont{L"Arial", 12};
// Sizeable, with a maximise box but no minimise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;

const win::TWindowClass& ViewClass() {
  static const win::TWindowClass view_class(win::TWindow::ClassDescription(L"TDoView"));
  return view_class;
}

}  // namespace

// The scroll box with the picture: the image at (0, 0), scroll bars only
// in a direction where the image is larger than the box.
class TImageScrollBox : public win::TWindow {
 public:
  TImageScrollBox(HWND parent, const TBitmap& image) : image_(image) {
    static const win::TWindowClass box_class(win::TWindow::ClassDescription(L"TImageScrollBox"));
    CreateChild(box_class.Name(), parent, win::TBounds{0, 0, 0, 0}, WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS);
  }

  void Place(int width, int height) {
    PlaceInPixels(RECT{0, 0, std::max(width, 0), std::max(height, 0)});
    UpdateScrollBars();
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case WM_PAINT:
        Paint();
        return 0;
      case WM_HSCROLL:
        Scroll(SB_HORZ, LOWORD(wparam));
        return 0;
      case WM_VSCROLL:
        Scroll(SB_VERT, LOWORD(wparam));
        return 0;
      case WM_MOUSEWHEEL:
        Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wparam) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
      default:
        return Default(message, wparam, lparam);
    }
  }

 private:
  void UpdateScrollBars() {
    // Showing one bar narrows the room for the other, so settle twice.
    for (int pass = 0; pass < 2; ++pass) {
      RECT client{};
      GetClientRect(Handle(), &client);
      SetRange(SB_HORZ, image_.Width(), client.right);
      SetRange(SB_VERT, image_.Height(), client.bottom);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
  }

  void SetRange(int bar, int content, int page) {
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE};
    info.nMin = 0;
    info.nMax = std::max(content - 1, 0);
    info.nPage = static_cast<UINT>(std::max(page, 0));
    SetScrollInfo(Handle(), bar, &info, TRUE);
  }

  void Scroll(int bar, int request) {
    SCROLLINFO info{sizeof(info), SIF_ALL};
    GetScrollInfo(Handle(), bar, &info);
    int position = info.nPos;
    const int line = 16;
    switch (request) {
      case SB_LINEUP:
        position -= line;
        break;
      case SB_LINEDOWN:
        position += line;
        break;
      case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
      case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
      case SB_TOP:
        position = info.nMin;
        break;
      case SB_BOTTOM:
        position = info.nMax;
        break;
      default:
        return;
    }
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(Handle(), bar, &info, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
  }

  void Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    const int x = GetScrollPos(Handle(), SB_HORZ);
    const int y = GetScrollPos(Handle(), SB_VERT);
    StretchImage(dc, RECT{-x, -y, image_.Width() - x, image_.Height() - y}, image_);
    EndPaint(Handle(), &paint);
  }

  // The window is modal: the image outlives it and does not change while
  // it shows, so it is shown where it is rather than copied.
  const TBitmap& image_;
};

TDoView::TDoView(HWND owner, const TBitmap& image) {
  CreateForm(owner, ViewClass().Name(), L"View Image", kStyle, kWidth, kHeight);
  SetDefaultButton(kExitId);
  ScrollBox1 = std::make_unique<TImageScrollBox>(Handle(), image);
  Panel1 = std::make_unique<win::TPanel>(Handle(), win::TBounds{0, 0, 0, kPanelHeight});
  Button1 =
      std::make_unique<win::TButton>(Panel1->Handle(), L"E&xit", BS_PUSHBUTTON, win::TBounds{4, 2, 49, 18}, kExitId);
  Button1->SetFont(Font(kButtonFont));
  Button1->OnClick = [this] { Button1Click(); };
  FormResize();
  Button1->SetFocus();
}

TDoView::~TDoView() = default;

LRESULT TDoView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) {
    FormResize();
    return 0;
  }
  return TForm::HandleMessage(message, wparam, lparam);
}

void TDoView::FormResize() {
  if (!ScrollBox1 || !Panel1) return;
  const RECT above = DockBottom(*Panel1, kPanelHeight);
  ScrollBox1->Place(above.right, above.bottom);
}

void ShowViewWindow(HWND owner, const TBitmap& image) {
  TDoView view(owner, image);
  view.ShowModal();
}
