#include "output/win/print_bitmap.h"

#include <cstdint>
#include <vector>

#include "output/dib_header.h"
#include "platform/win32/printer_error.h"

void PrintBitmap(HDC dc, const TPrintRect& target, const TBitmap& image) {
  const int width = target.Right - target.Left;
  const int height = target.Bottom - target.Top;
  if (image.Empty() || width == 0 || height == 0) return;
  // The image's rows already are the pixel part of a device-independent
  // bitmap; only the header with masks and colour table is built.
  const std::vector<std::uint8_t> header = DibHeader(image);
  // Whole pixels when the page is smaller than the image, instead of the
  // default mode's AND-ing of the rows it drops.
  SetStretchBltMode(dc, COLORONCOLOR);
  const int rows =
      StretchDIBits(dc, target.Left, target.Top, width, height, 0, 0, image.Width(), image.Height(),
                    image.Bits().data(), reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS, SRCCOPY);
  if (rows <= 0) throw win::EPrinterError("The printer did not accept the image.");
}
