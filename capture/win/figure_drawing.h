// Draws a shape figure (capture/shape_figures.h) on a device context with
// the pen, brush and raster operation currently selected into it.
#pragma once

#include "capture/shape_figures.h"
#include "platform/win32/windows_api.h"

void DrawFigure(HDC dc, const TFigure& figure);
