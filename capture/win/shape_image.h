// ShapeImage: a picture of one shape, white on a background colour, owned by
// a child window that shows it. The configuration dialog shows one as the
// live preview of the chosen shape; the shaped cut paints the same picture
// (PaintShapeImage) as the mask it cuts with.
#pragma once

#include "capture/shape_image_properties.h"
#include "platform/win32/control.h"
#include "platform/win32/handles.h"
#include "platform/win32/window.h"
#include "platform/win32/windows_api.h"

// Paints the picture of `properties` onto `dc` (width x height): the
// background in BColor, the figure filled white and outlined in PStyle. A
// star first raises its vertex settings, as the control does.
void PaintShapeImage(HDC dc, int width, int height, TShapeImageProperties& properties);

class TShapeImage : public win::TWindow {
 public:
  // A visible child window of `parent`, painted once with the values at construction.
  TShapeImage(HWND parent, win::TBounds bounds);

  // Each setter repaints the picture when it stores a value (see
  // TShapeImageProperties for which values it stores); SetShape always does.
  void SetShape(TMyShapeType value) { Store(properties_.SetShape(value)); }
  void SetEdgeSize(std::int16_t value) { Store(properties_.SetEdgeSize(value)); }
  void SetVectorP(std::int32_t value) { Store(properties_.SetVectorP(value)); }
  void SetVectors(std::int32_t value) { Store(properties_.SetVectors(value)); }
  void SetAngle(std::int32_t value) { Store(properties_.SetAngle(value)); }
  void SetBColor(COLORREF value) { Store(properties_.SetBColor(static_cast<std::int32_t>(value))); }
  void SetPColor(COLORREF value) { Store(properties_.SetPColor(static_cast<std::int32_t>(value))); }
  void SetPStyle(TPenStyle value) { Store(properties_.SetPStyle(value)); }
  // Flood-fills the background from the centre instead of filling it; takes effect at the next repaint.
  void SetUseFill(bool value) { properties_.SetUseFill(value); }

  const TShapeImageProperties& Properties() const { return properties_; }
  // The picture: a bitmap of the control's client size, owned by the control.
  HBITMAP Picture() const { return picture_.Get(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Store(bool stored) {
    if (stored) PaintShape();
  }
  void PaintShape();

  TShapeImageProperties properties_;
  win::TBitmapHandle picture_;
};
