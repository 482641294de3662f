// The capture road's GDI side: device bitmaps read as the image model in
// their own depth and pixels, and the thumbnail's placement. (Whole screen
// copies are compared with the X screen by the end-to-end tests.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "capture/win/draw_thumb.h"
#include "output/win/copy_to_clip.h"
#include "output/win/device_image.h"

namespace {

// A picture whose every pixel differs from its neighbours.
TBitmap Pattern(int width, int height, int bits) {
  TBitmap image(width, height, bits);
  for (std::size_t i = 0; i < image.Bits().size(); ++i) image.Bits()[i] = static_cast<std::uint8_t>(i * 37 + i / 7);
  if (bits == 8) {
    for (std::size_t i = 0; i < image.ColorTable().size(); ++i) {
      image.ColorTable()[i] = TRGBQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                       static_cast<std::uint8_t>(i * 3), 0};
    }
  }
  return image;
}

struct TDepthCase {
  int Bits;
  TColorMasks Masks;
};

class DeviceBitmap : public testing::TestWithParam<TDepthCase> {};

// A device bitmap of the given depth (as a display of that depth makes
// them) holding the pattern, read back: same depth, masks and pixels.
TEST_P(DeviceBitmap, ReadsBackInItsOwnDepth) {
  const TDepthCase& c = GetParam();
  TBitmap source = Pattern(37, 11, c.Bits);
  if (c.Bits == 16) source.SetColorMasks(c.Masks);
  // (A palette display's 8-bit captures need a palette display to be made;
  // the end-to-end run at 8 bits covers them.)
  if (c.Bits == 16) {
    // Keep the pixels within the bits the masks use.
    for (int y = 0; y < source.Height(); ++y) {
      auto* row = reinterpret_cast<std::uint16_t*>(source.Row(y));
      for (int x = 0; x < source.Width(); ++x)
        row[x] &= static_cast<std::uint16_t>(c.Masks[0] | c.Masks[1] | c.Masks[2]);
    }
  }
  win::TBitmapHandle bitmap(CreateBitmap(source.Width(), source.Height(), 1, static_cast<UINT>(c.Bits), nullptr));
  ASSERT_TRUE(bitmap);
  win::TPalette palette;
  if (c.Bits == 8) {
    // The palette a palette display would have given the capture.
    std::vector<std::uint8_t> record(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(record.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 256;
    for (int i = 0; i < 256; ++i) {
      const TRGBQuad& q = source.ColorTable()[static_cast<std::size_t>(i)];
      logical->palPalEntry[i] = PALETTEENTRY{q.Red, q.Green, q.Blue, 0};
    }
    palette.Reset(CreatePalette(logical));
  }
  {
    // The pixels go in through the palette, as on a palette display.
    win::TWindowDC screen(nullptr);
    win::TSelectPalette selected(
        screen.Get(), palette ? palette.Get() : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), false);
    RealizePalette(screen.Get());
    TDIBHeader header(source);
    ASSERT_NE(SetDIBits(screen.Get(), bitmap.Get(), 0, static_cast<UINT>(source.Height()), source.Bits().data(),
                        header.Info(), DIB_RGB_COLORS),
              0);
  }
  TBitmap read = ImageFromDeviceBitmap(bitmap.Get(), palette.Get());
  EXPECT_TRUE(read.IsDeviceFormat());
  ASSERT_EQ(read.BitsPerPixel(), c.Bits);
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) {
      ASSERT_EQ(read.PixelColor(x, y), source.PixelColor(x, y)) << x << "," << y;
    }
  }
  if (c.Bits == 16) {
    ASSERT_TRUE(read.HasColorMasks());
    EXPECT_EQ(read.ColorMasks(), source.ColorMasks());
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, DeviceBitmap, testing::Values(TDepthCase{32, {}}, TDepthCase{16, kMasks555}));

TEST(DrawThumb, ScalesIntoTheTopLeftCornerOfItsBoxOnButtonFace) {
  TBitmap image(1024, 768, 24);
  for (std::size_t i = 0; i < image.Bits().size(); i += 3) image.Bits()[i + 2] = 255;  // red
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  win::TWindowDC screen(nullptr);
  win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
  // The box at 96 DPI and at 144 DPI: a 133 x 99 or a 200 x 150 picture.
  const struct { int BoxWidth, BoxHeight, PictureHeight; } boxes[] = {{133, 125, 99}, {200, 188, 150}};
  for (const auto& box : boxes) {
    win::TBitmapHandle thumb = DrawThumb(image, box.BoxWidth, box.BoxHeight);
    BITMAP size{};
    GetObjectW(thumb.Get(), sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, box.BoxWidth);
    EXPECT_EQ(size.bmHeight, box.BoxHeight);
    win::TSelectObject selected(dc.Get(), thumb.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.Get(), box.BoxWidth - 1, box.PictureHeight - 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.Get(), box.BoxWidth - 1, box.PictureHeight), face);
    EXPECT_EQ(GetPixel(dc.Get(), 0, box.BoxHeight - 1), face);
  }

  // An empty image (a click without a drag) gives an empty thumbnail.
  win::TBitmapHandle empty = DrawThumb(TBitmap(), 133, 125);
  win::TSelectObject again(dc.Get(), empty.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), face);
}

// While another window holds the clipboard, a copy is reported as failed
// and the clipboard keeps what the user had there; once it is free, the
// copy lands.
TEST(CopyToClip, ReportsAHeldClipboardAndKeepsItsContents) {
  win::TWindowHandle holder(CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  win::TWindowHandle owner(CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(OpenClipboard(holder.Get()));
  EmptyClipboard();
  win::TGlobalMemory text(GlobalAlloc(GMEM_MOVEABLE, sizeof(L"kept")));
  std::memcpy(GlobalLock(text.Get()), L"kept", sizeof(L"kept"));
  GlobalUnlock(text.Get());
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, text.Release()), nullptr);

  EXPECT_THROW(CopyToClip(owner.Get(), Pattern(8, 4, 32)), std::runtime_error);
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));

  CopyToClip(owner.Get(), Pattern(8, 4, 32));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}

}  // namespace
