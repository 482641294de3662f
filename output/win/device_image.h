// The bridge between the display's device-dependent bitmaps and the
// portable image model. A capture arrives as a bitmap compatible with the
// display; it becomes the current image (a TBitmap in the display's own
// depth, its pixels unchanged) and goes back to a device bitmap wherever
// the system wants one (the clipboard, drawing).
#pragma once

#include <cstdint>
#include <vector>

#include "gif/bitmap.h"
#include "output/dib_header.h"
#include "platform/win32/handles.h"
#include "platform/win32/windows_api.h"

// The BITMAPINFO of an image: the header, then the three masks of a
// bit-field image or the colour table of a paletted one.
class TDIBHeader {
 public:
  explicit TDIBHeader(const TBitmap& image) : bytes_(DibHeader(image)) {}
  const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(bytes_.data()); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Reads a device-dependent bitmap as an image in the bitmap's own depth:
// 16 and 32 bits with the masks the driver reports, 8 bits or less with the
// colours of `palette` (the screen palette of a palette display) as its
// colour table. A null or 0 x 0 bitmap gives an empty image.
TBitmap ImageFromDeviceBitmap(HBITMAP bitmap, HPALETTE palette);

// A bitmap compatible with the display holding the image's pixels; null
// when the system could not make it.
win::TBitmapHandle DeviceBitmapFromImage(const TBitmap& image);

// Copies the image's pixels into `target` on `dc` (device pixels, any
// stretch mode the caller set): the whole image stretched to the rectangle.
// Returns the number of rows the device took (0 for an empty image).
int StretchImage(HDC dc, const RECT& target, const TBitmap& image);
