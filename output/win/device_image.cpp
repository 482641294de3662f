#include "output/win/device_image.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

// A header and room for 256 colour-table entries, the most any depth has.
struct TDIBInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

// Keeps a DIB section alive as the rows of an image, with the format it
// was made in, so that a later capture of the same size and format can
// take the same memory.
class TSectionPixels final : public TPixelOwner {
 public:
  TSectionPixels(win::TBitmapHandle section, const TDIBInfo256& format, std::uint8_t* bits)
      : section_(std::move(section)), format_(format), bits_(bits) {}
  bool Holds(const TDIBInfo256& format) const { return std::memcmp(&format_, &format, sizeof(format)) == 0; }
  HBITMAP Section() const { return section_.Get(); }
  std::uint8_t* Bits() const { return bits_; }

 private:
  win::TBitmapHandle section_;
  TDIBInfo256 format_;
  std::uint8_t* bits_;
};

// The display's own format, read from a one-pixel bitmap compatible with
// it: the first call fills in the header, the second the masks (16 and 32
// bits) or the colours (8 bits or fewer).
TDIBInfo256 DisplayFormat(HDC display) {
  TDIBInfo256 info{};
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  win::TBitmapHandle probe(CreateCompatibleBitmap(display, 1, 1));
  auto* bitsInfo = reinterpret_cast<BITMAPINFO*>(&info);
  GetDIBits(display, probe.Get(), 0, 0, nullptr, bitsInfo, DIB_RGB_COLORS);
  GetDIBits(display, probe.Get(), 0, 0, nullptr, bitsInfo, DIB_RGB_COLORS);
  return info;
}

// The colours of a display of 8 bits or fewer: its system palette on a
// palette display, else the colours its driver reports; 256 entries.
std::vector<TRGBQuad> DisplayColors(HDC display, const TDIBInfo256& format) {
  std::vector<TRGBQuad> table(256);
  std::memcpy(table.data(), format.Colors, sizeof(format.Colors));
  if (GetDeviceCaps(display, RASTERCAPS) & RC_PALETTE) {
    PALETTEENTRY entries[256];
    const UINT count = GetSystemPaletteEntries(display, 0, 256, entries);
    for (UINT i = 0; i < count; ++i) table[i] = TRGBQuad{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  }
  return table;
}

}  // namespace

TBitmap CreateDisplayImage(HDC display, int width, int height, HBITMAP& section,
                           std::unique_ptr<TPixelOwner> replaced) {
  section = nullptr;
  const TDIBInfo256 format = DisplayFormat(display);
  const int depth = format.Header.biBitCount <= 8 ? 8 : format.Header.biBitCount;
  TDIBInfo256 info{};
  info.Header = {sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(depth), BI_RGB};
  TColorMasks masks = kMasks555;
  std::vector<TRGBQuad> table;
  if (depth == 16 && format.Header.biCompression == BI_BITFIELDS) {
    std::memcpy(masks.data(), format.Colors, sizeof(masks));
    std::memcpy(info.Colors, masks.data(), sizeof(masks));
    info.Header.biCompression = BI_BITFIELDS;
  } else if (depth == 8) {
    table = DisplayColors(display, format);
    std::memcpy(info.Colors, table.data(), sizeof(info.Colors));
  }
  // The replaced capture's section serves again when it has this size and
  // format; otherwise it is freed before the new one is made, so that the
  // program never holds two captures at once.
  std::unique_ptr<TSectionPixels> pixels;
  if (auto* same = dynamic_cast<TSectionPixels*>(replaced.get()); same && same->Holds(info)) {
    replaced.release();
    pixels.reset(same);
  }
  replaced.reset();
  if (!pixels) {
    void* bits = nullptr;
    win::TBitmapHandle dib(
        CreateDIBSection(display, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || bits == nullptr) return {};
    pixels = std::make_unique<TSectionPixels>(std::move(dib), info, static_cast<std::uint8_t*>(bits));
  }
  section = pixels->Section();
  std::uint8_t* const bits = pixels->Bits();
  TBitmap image = TBitmap::DeviceFormat(width, height, depth, bits, std::move(pixels));
  if (depth == 16) image.SetColorMasks(masks);
  if (depth == 8) image.ColorTable() = std::move(table);
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
