// Where a printed image goes on the page, in printer device pixels. The
// print commands of the main window ask these and draw; nothing here knows
// about printers.
#pragma once

#include <string_view>

struct TPrintRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TPrintRect&, const TPrintRect&) = default;
};

// The printable page as the printer reports it.
struct TPrintPage {
  int Width = 0;
  int Height = 0;
  bool Landscape = false;
};

// One image pixel per device pixel, at (page width div 17, page height div
// 22) whatever the orientation.
TPrintRect PixelSizePlacement(int pageWidth, int pageHeight, int imageWidth, int imageHeight);

// The rectangle of a scaled print for the scale box's text. The text is
// trimmed; with a "%" the part before the first one must be a number c and
// the image is enlarged by the whole factor c div 100 (150% prints like
// 100%, below 100% nothing shows); that part not being a number raises
// EConvertError. Without a "%" ("Full page", "Fit") the image is stretched
// over the page inside the orientation's margins.
TPrintRect ScaledPlacement(const TPrintPage& page, int imageWidth, int imageHeight, std::string_view scaleText);
