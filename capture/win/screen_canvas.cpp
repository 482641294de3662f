#include "capture/win/screen_canvas.h"

TScreenCanvas::TScreenCanvas()
    : dc_(nullptr),
      pen_(CreatePen(PS_DOT, 0, RGB(0, 0, 0))),
      brush_(CreateSolidBrush(RGB(0, 0, 0))),
      pen_selection_(dc_.Get(), pen_.Get()),
      brush_selection_(dc_.Get(), brush_.Get()) {
  SetROP2(dc_.Get(), R2_NOT);
  SetBkMode(dc_.Get(), TRANSPARENT);
}
