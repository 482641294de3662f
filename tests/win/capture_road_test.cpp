// The capture road's GDI side: the screen copied into a DIB section of the
// display's own format whose rows are the image's, at each depth a display
// may have, and the thumbnail's placement. (Whole screen copies are compared
// with the X screen by the end-to-end tests, one per screen depth.)
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

class DisplayCapture : public testing::TestWithParam<TDepthCase> {};

// A display of the depth (a memory DC holding a DIB of it, as a 16-bit or
// 256-colour display would be) copied the way ScreenShot copies the
// screen: the image has the display's depth, masks and colours, its rows
// are the section's (a later change through GDI shows in the image), and
// its pixels are the display's.
TEST_P(DisplayCapture, LandsInTheImageInTheDisplaysOwnFormat) {
  const TDepthCase& c = GetParam();
  TBitmap source = Pattern(37, 11, c.Bits);
  if (c.Bits == 16) {
    source.SetColorMasks(c.Masks);
    // Keep the pixels within the bits the masks use.
    for (int y = 0; y < source.Height(); ++y) {
      auto* row = reinterpret_cast<std::uint16_t*>(source.Row(y));
      for (int x = 0; x < source.Width(); ++x)
        row[x] &= static_cast<std::uint16_t>(c.Masks[0] | c.Masks[1] | c.Masks[2]);
    }
  }
  win::TWindowDC screen(nullptr);
  win::TCreatedDC display(CreateCompatibleDC(screen.Get()));
  const TDIBHeader header(source);
  void* bits = nullptr;
  win::TBitmapHandle shown(CreateDIBSection(display.Get(), header.Info(), DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(shown);
  std::memcpy(bits, source.Bits().data(), source.Bits().size());
  win::TSelectObject showing(display.Get(), shown.Get());

  HBITMAP section = nullptr;
  TBitmap image = CreateDisplayImage(display.Get(), source.Width(), source.Height(), section);
  ASSERT_NE(section, nullptr);
  EXPECT_TRUE(image.IsDeviceFormat());
  ASSERT_EQ(image.BitsPerPixel(), c.Bits);
  EXPECT_EQ(image.HasColorMasks(), c.Bits == 16);
  if (c.Bits == 16) {
    EXPECT_EQ(image.ColorMasks(), c.Masks);
  }
  if (c.Bits == 8) {
    EXPECT_EQ(image.ColorTable(), source.ColorTable());
  }
  // The next capture of this size and format takes the same section, in
  // the display's format again after a conversion to 24 bits in place; the
  // copy below lands in it.
  if (c.Bits == 32) image.ConvertTo24Bit();
  const HBITMAP replaced = section;
  image = CreateDisplayImage(display.Get(), source.Width(), source.Height(), section, image.TakeRows());
  EXPECT_EQ(section, replaced);
  EXPECT_TRUE(image.IsDeviceFormat());
  ASSERT_EQ(image.BitsPerPixel(), c.Bits);
  {
    win::TCreatedDC target(CreateCompatibleDC(screen.Get()));
    win::TSelectObject selected(target.Get(), section);
    BitBlt(target.Get(), 0, 0, source.Width(), source.Height(), display.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    for (int y = 0; y < source.Height(); ++y) {
      for (int x = 0; x < source.Width(); ++x) {
        ASSERT_EQ(image.PixelColor(x, y), source.PixelColor(x, y)) << x << "," << y;
      }
    }
    SetPixelV(target.Get(), 0, 0, RGB(0, 255, 0));  // a colour every depth holds exactly
    GdiFlush();
  }
  EXPECT_EQ(image.PixelColor(0, 0), (TRGBQuad{0, 255, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Depths, DisplayCapture,
                         testing::Values(TDepthCase{32, {}}, TDepthCase{16, kMasks565}, TDepthCase{16, kMasks555},
                                         TDepthCase{8, {}}));

TEST(DrawThumb, ScalesIntoTheTopLeftCornerOfItsBoxOnButtonFace) {
  TBitmap image(1024, 768, 24);
  for (std::size_t i = 0; i < image.Bits().size(); i += 3) image.Bits()[i + 2] = 255;  // red
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  win::TWindowDC screen(nullptr);
  win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
  win::TBitmapHandle thumb = DrawThumb(image, 133, 125);
  BITMAP size{};
  GetObjectW(thumb.Get(), sizeof(size), &size);
  EXPECT_EQ(size.bmWidth, 133);
  EXPECT_EQ(size.bmHeight, 125);
  win::TSelectObject selected(dc.Get(), thumb.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 132, 98), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 132, 99), face);
  EXPECT_EQ(GetPixel(dc.Get(), 0, 124), face);

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
