// The size of the thumbnail picture of an image: scaled down to fit the
// thumbnail box, never enlarged, drawn from the top-left corner.
#pragma once

// The thumbnail box as designed, at 96 DPI.
inline constexpr int kThumbWidth = 133;
inline constexpr int kThumbHeight = 125;

struct TThumbSize {
  int Width = 0;
  int Height = 0;
};

// The picture of an image in a box of `box` pixels. An empty image (no
// width or no height) has an empty picture.
TThumbSize ThumbSizeFor(TThumbSize box, int imageWidth, int imageHeight);
