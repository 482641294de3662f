#include "output/win/device_image.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// A header and room for 256 colour-table entries, the most any depth has.
struct TDIBInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

}  // namespace

TBitmap ImageFromDeviceBitmap(HBITMAP bitmap, HPALETTE palette) {
  BITMAP description{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(description), &description) == 0) return {};
  if (description.bmWidth <= 0 || description.bmHeight <= 0) return {};
  const int depth = description.bmBitsPixel * description.bmPlanes;
  TBitmap image = TBitmap::DeviceFormat(description.bmWidth, description.bmHeight, depth <= 8 ? 8 : depth);

  win::TWindowDC screen(nullptr);
  std::unique_ptr<win::TSelectPalette> selected;
  if (palette != nullptr) {
    selected = std::make_unique<win::TSelectPalette>(screen.Get(), palette, false);
    RealizePalette(screen.Get());
  }
  TDIBInfo256 info{};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  auto* bitsInfo = reinterpret_cast<BITMAPINFO*>(&info);
  if (image.BitsPerPixel() == 16) {
    // The driver's own 16-bit layout (5-6-5 or 5-5-5): the first call fills
    // in the header, the second the masks, so the pixels are taken as they are.
    GetDIBits(screen.Get(), bitmap, 0, 0, nullptr, bitsInfo, DIB_RGB_COLORS);
    GetDIBits(screen.Get(), bitmap, 0, 0, nullptr, bitsInfo, DIB_RGB_COLORS);
  }
  info.Header.biWidth = image.Width();
  info.Header.biHeight = image.Height();
  info.Header.biPlanes = 1;
  info.Header.biBitCount = static_cast<WORD>(image.BitsPerPixel());
  if (image.BitsPerPixel() != 16 || info.Header.biCompression != BI_BITFIELDS) info.Header.biCompression = BI_RGB;
  info.Header.biSizeImage = 0;
  if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(image.Height()), image.Bits().data(), bitsInfo,
                DIB_RGB_COLORS) == 0) {
    return {};
  }
  if (image.BitsPerPixel() <= 8) {
    const std::size_t count = std::size_t{1} << image.BitsPerPixel();
    image.ColorTable().resize(count);
    std::memcpy(image.ColorTable().data(), info.Colors, count * sizeof(RGBQUAD));
  } else if (image.BitsPerPixel() == 16) {
    TColorMasks masks = kMasks555;
    if (info.Header.biCompression == BI_BITFIELDS) std::memcpy(masks.data(), info.Colors, sizeof(masks));
    image.SetColorMasks(masks);
  }
  return image;
}

win::TBitmapHandle DeviceBitmapFromImage(const TBitmap& image) {
  win::TWindowDC screen(nullptr);
  const int width = std::max(image.Width(), 0);
  const int height = std::max(image.Height(), 0);
  win::TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!bitmap || image.Empty()) return bitmap;
  TDIBHeader header(image);
  if (SetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(height), image.Bits().data(), header.Info(),
                DIB_RGB_COLORS) == 0) {
    return {};  // a bitmap without the image's pixels is no copy of it
  }
  return bitmap;
}

int StretchImage(HDC dc, const RECT& target, const TBitmap& image) {
  if (image.Empty()) return 0;
  TDIBHeader header(image);
  return StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, 0,
                       image.Width(), image.Height(), image.Bits().data(), header.Info(), DIB_RGB_COLORS, SRCCOPY);
}
