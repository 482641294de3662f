// The bridge between the display and the portable image model. A capture
// lands in a DIB section of the display's own format whose rows are the
// current image's (a TBitmap in the display's own depth); the image goes to
// a device bitmap where the system wants one (the clipboard) and is drawn
// from its rows where they are.
#pragma once

#include <cstdint>
#include <memory>
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

// Memory for a copy of the display that becomes the current image as it
// is: a bottom-up DIB section of width x height pixels in the display's own
// format. 32 and 24 bits as they are; 16 bits with the masks the display
// driver reports; a palette display (8 bits or fewer) as 8 bits with its
// system palette as the colour table. Returns a device-format image whose
// rows are the section's and which frees the section when it goes;
// `section` receives the section, for GDI to draw into (then GdiFlush)
// while the image has not converted itself. An empty image and a null
// section when the system makes none.
// `replaced` is the rows of the image the new one replaces (see
// TBitmap::TakeRows): when they are a section this function made for the
// same size and format, also one since converted to 24 bits, the new image
// takes that section, pixels and all, and saves making and first touching
// new memory; a new section is black.
TBitmap CreateDisplayImage(HDC display, int width, int height, HBITMAP& section,
                           std::unique_ptr<TPixelOwner> replaced = nullptr);

// A bitmap compatible with the display holding the image's pixels; null
// when the system could not make it.
win::TBitmapHandle DeviceBitmapFromImage(const TBitmap& image);

// Copies the image's pixels into `target` on `dc` (device pixels, any
// stretch mode the caller set): the whole image stretched to the rectangle.
// Returns the number of rows the device took (0 for an empty image).
int StretchImage(HDC dc, const RECT& target, const TBitmap& image);
