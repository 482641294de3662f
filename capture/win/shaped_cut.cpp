#include "capture/win/shaped_cut.h"

#include "capture/shape_figures.h"
#include "capture/win/figure_drawing.h"
#include "capture/win/shape_image.h"
#include "platform/win32/handles.h"

namespace {

// The mask: a white figure with a black outline on a background, painted
// as the ShapeImage control paints it.
class TMask {
 public:
  TMask(HDC screen, int width, int height, TShapeKind kind, const TShapeStyle& style)
      : width_(width),
        height_(height),
        bitmap_(CreateCompatibleBitmap(screen, width, height)),
        dc_(CreateCompatibleDC(screen)),
        selection_(dc_.Get(), bitmap_.Get()) {
    properties_.SetShape(MyShapeTypeFor(kind));
    properties_.SetEdgeSize(0);
    properties_.SetVectorP(style.VectorSize);
    properties_.SetVectors(style.Vectors);
    // The star's angle is fixed; the polygons bring their own.
    if (kind >= skPolygon1) properties_.SetAngle(style.Angle);
  }

  // Repaints the mask with `background` outside the figure.
  HDC Paint(COLORREF background) {
    properties_.SetBColor(static_cast<std::int32_t>(background));
    PaintShapeImage(dc_.Get(), width_, height_, properties_);
    return dc_.Get();
  }

 private:
  int width_, height_;
  TShapeImageProperties properties_;
  win::TBitmapHandle bitmap_;
  win::TCreatedDC dc_;
  win::TSelectObject selection_;
};

void DrawBorder(HDC dc, int width, int height, TShapeKind kind, const TShapeStyle& style) {
  const COLORREF colour = static_cast<COLORREF>(style.UseBorder ? style.BorderColor : style.MaskColor);
  win::TPen pen(CreatePen(PS_SOLID, 1, colour));
  win::TSelectObject pen_selection(dc, pen.Get());
  win::TSelectObject brush_selection(dc, GetStockObject(NULL_BRUSH));
  DrawFigure(dc, SelectionFigure(kind, style, {0, 0, width, height}));
}

}  // namespace

void CutShape(HBITMAP bitmap, int width, int height, TShapeKind kind, const TShapeStyle& style) {
  if (kind < skRoundedRectangle || kind > kLastShapeKind || width <= 0 || height <= 0) return;
  win::TWindowDC screen(nullptr);
  win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
  win::TSelectObject selection(dc.Get(), bitmap);
  TMask mask(screen.Get(), width, height, kind, style);
  // Inside the figure the mask is white and the screen stays; the outline
  // and the background are black, so they turn white...
  BitBlt(dc.Get(), 0, 0, width, height, mask.Paint(RGB(0, 0, 0)), 0, 0, MERGEPAINT);
  // ...and then take the mask colour (the outline black again). The square
  // has no colour of its own: black, with its black frame.
  const COLORREF mask_colour = kind == skSquare ? RGB(0, 0, 0) : static_cast<COLORREF>(style.MaskColor);
  BitBlt(dc.Get(), 0, 0, width, height, mask.Paint(mask_colour), 0, 0, SRCAND);
  if (kind != skSquare) DrawBorder(dc.Get(), width, height, kind, style);
  // A capture's image reads the section's rows directly, after GDI is done.
  GdiFlush();
}
