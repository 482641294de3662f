#include "capture/win/shape_image.h"

#include "capture/win/figure_drawing.h"

namespace {

// The picture's outline pen is one pixel wide.
constexpr int kPenWidth = 1;
constexpr COLORREF kWhite = RGB(255, 255, 255);

const win::TWindowClass& ShapeImageClass() {
  static const win::TWindowClass window_class(win::TWindow::ClassDescription(L"TShapeImage"));
  return window_class;
}

}  // namespace

void PaintShapeImage(HDC dc, int width, int height, TShapeImageProperties& properties) {
  if (properties.Shape() == shStar) properties.RaiseStar();
  const auto background = static_cast<COLORREF>(properties.BColor());
  win::TPen pen(CreatePen(properties.PStyle(), kPenWidth, static_cast<COLORREF>(properties.OutlineColor())));
  win::TBrush background_brush(CreateSolidBrush(background));
  win::TSelectObject pen_selection(dc, pen.Get());
  {
    win::TSelectObject brush_selection(dc, background_brush.Get());
    if (properties.UseFill()) {
      ExtFloodFill(dc, width / 2, height / 2, background, FLOODFILLBORDER);
    } else {
      const RECT all{0, 0, width + 1, height + 1};
      FillRect(dc, &all, background_brush.Get());
    }
  }
  win::TBrush figure_brush(CreateSolidBrush(kWhite));
  win::TSelectObject brush_selection(dc, figure_brush.Get());
  DrawFigure(dc, properties.Figure(width, height, kPenWidth));
}

TShapeImage::TShapeImage(HWND parent, win::TBounds bounds) {
  CreateChild(ShapeImageClass().Name(), parent, bounds);
  PaintShape();
}

void TShapeImage::PaintShape() {
  RECT client{};
  GetClientRect(Handle(), &client);
  win::TWindowDC screen(nullptr);
  picture_.Reset(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
  win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
  {
    win::TSelectObject picture_selection(dc.Get(), picture_.Get());
    PaintShapeImage(dc.Get(), client.right, client.bottom, properties_);
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TShapeImage::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole client area
    case WM_SIZE:
      PaintShape();  // the picture is as large as the window
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC target = BeginPaint(Handle(), &paint);
      win::TCreatedDC source(CreateCompatibleDC(target));
      win::TSelectObject picture_selection(source.Get(), picture_.Get());
      RECT client{};
      GetClientRect(Handle(), &client);
      BitBlt(target, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
      EndPaint(Handle(), &paint);
      return 0;
    }
    default:
      return Default(message, wparam, lparam);
  }
}
