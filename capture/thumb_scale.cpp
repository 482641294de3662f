#include "capture/thumb_scale.h"

TThumbSize ThumbSizeFor(TThumbSize box, int imageWidth, int imageHeight) {
  if (imageWidth <= 0 || imageHeight <= 0) return {};
  const double sx = static_cast<double>(box.Width) / imageWidth;
  const double sy = static_cast<double>(box.Height) / imageHeight;
  double s = sy < sx ? sy : sx;
  if (s > 1.0) s = 1.0;
  return {static_cast<int>(imageWidth * s), static_cast<int>(imageHeight * s)};
}
