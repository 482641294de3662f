// A device context on the whole display set up for drawing the selection:
// a dotted one-pixel black pen, a solid black brush and the R2_NOT raster
// operation, so that every figure inverts the screen and drawing it a
// second time restores it; the dotted pen's gaps leave the screen alone.
// The destructor puts the old brush and pen back, deletes both and the DC.
#pragma once

#include "platform/win32/handles.h"
#include "platform/win32/windows_api.h"

class TScreenCanvas {
 public:
  TScreenCanvas();

  HDC Get() const { return dc_.Get(); }
  // The primary display: (0, 0, horizontal resolution, vertical resolution).
  RECT Bounds() const;

 private:
  win::TCreatedDC dc_;
  win::TPen pen_;
  win::TBrush brush_;
  win::TSelectObject pen_selection_;
  win::TSelectObject brush_selection_;
};
