// A device context on the whole screen (every monitor, in screen
// coordinates) set up for drawing the selection: a dotted one-pixel black
// pen, a solid black brush and the R2_NOT raster operation, so that every
// figure inverts the screen and drawing it a second time restores it; the
// dotted pen's gaps leave the screen alone. The destructor puts the old
// brush and pen back, deletes both and gives the DC back.
#pragma once

#include "platform/win32/handles.h"
#include "platform/win32/windows_api.h"

class TScreenCanvas {
 public:
  TScreenCanvas();

  HDC Get() const { return dc_.Get(); }

 private:
  // The screen's own DC: its coordinates are screen coordinates on every
  // monitor, which a DC made on the "DISPLAY" driver does not promise (under
  // Wine its origin is the virtual screen's top-left).
  win::TWindowDC dc_;
  win::TPen pen_;
  win::TBrush brush_;
  win::TSelectObject pen_selection_;
  win::TSelectObject brush_selection_;
};
