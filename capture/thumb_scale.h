// The size of the thumbnail picture of an image: scaled down to fit the
// thumbnail control, never enlarged, drawn from the top-left corner.
#pragma once

inline constexpr int kThumbWidth = 133;
inline constexpr int kThumbHeight = 125;

struct TThumbSize {
  int Width = 0;
  int Height = 0;
};

// An empty image (no width or no height) has an empty thumbnail.
TThumbSize ThumbSizeFor(int imageWidth, int imageHeight);
