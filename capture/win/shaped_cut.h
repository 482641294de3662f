// The shaped cut of a captured rectangle: the pixels inside the shape keep
// the screen's colours, every pixel outside it takes the shape's mask
// colour, and the shape's one-pixel outline is drawn in the border colour
// (with Use Border) or in the mask colour. The square keeps a black frame.
#pragma once

#include "capture/shape_kinds.h"
#include "platform/win32/windows_api.h"

// Cuts `bitmap` (a capture's DIB section or any bitmap of width x height,
// not selected into any DC) in place for shape kinds 4..19; other kinds and
// empty bitmaps are left as they are. The mask is the ShapeImage picture of the kind, with the
// control's own corrections: a star has at least 10 vectors, and vertex
// settings out of its ranges keep the control's values, while the border
// follows the settings as they are.
void CutShape(HBITMAP bitmap, int width, int height, TShapeKind kind, const TShapeStyle& style);
