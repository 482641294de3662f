#include "output/win/print_bitmap.h"

#include "output/win/device_image.h"
#include "platform/win32/printer_error.h"

void PrintBitmap(HDC dc, const TPrintRect& target, const TBitmap& image) {
  if (image.Empty() || target.Right == target.Left || target.Bottom == target.Top) return;
  // Whole pixels when the page is smaller than the image, instead of the
  // default mode's AND-ing of the rows it drops.
  SetStretchBltMode(dc, COLORONCOLOR);
  const int rows = StretchImage(dc, RECT{target.Left, target.Top, target.Right, target.Bottom}, image);
  if (rows <= 0) throw win::EPrinterError("The printer did not accept the image.");
}
