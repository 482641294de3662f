// The in-memory picture that every output road works on: "the current image".
//
// Rows are kept exactly as a BMP file stores them: bottom-up, each row padded
// to a multiple of four bytes. That lets the BMP writer dump them unchanged
// and lets the Windows side move pixels to and from GDI with one GetDIBits /
// SetDIBits call, because GDI uses the same layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct TRGBQuad {
  std::uint8_t Blue = 0;
  std::uint8_t Green = 0;
  std::uint8_t Red = 0;
  std::uint8_t Reserved = 0;
  friend bool operator==(const TRGBQuad&, const TRGBQuad&) = default;
};

// Colour masks of a bit-field image, in BMP order: red, green, blue.
using TColorMasks = std::array<std::uint32_t, 3>;

class TBitmap {
 public:
  // An empty image (no capture yet): zero width and height.
  TBitmap() = default;

  // A device-independent image of 1, 4, 8, 15, 16, 24 or 32 bits per pixel,
  // all pixels zero. 15 is stored as 16 bits with 5-5-5 masks.
  TBitmap(int width, int height, int bitsPerPixel);

  // A fresh capture in the display's own format (bitsPerPixel is the
  // display's depth). Its rows use the same layout as a DIB of that depth.
  static TBitmap DeviceFormat(int width, int height, int bitsPerPixel);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Bits per pixel as stored: 1, 4, 8, 16, 24 or 32 (15-bit images report 16).
  int BitsPerPixel() const { return bitsPerPixel_; }
  // True for a capture still in the display's format (not yet a DIB).
  bool IsDeviceFormat() const { return device_; }

  // Bytes per stored row, padded to a multiple of four.
  std::size_t Stride() const { return StrideFor(width_, bitsPerPixel_); }
  static std::size_t StrideFor(int width, int bitsPerPixel);

  // Pixel rows, bottom-up as in a BMP file; Stride() * Height() bytes.
  std::vector<std::uint8_t>& Bits() { return bits_; }
  const std::vector<std::uint8_t>& Bits() const { return bits_; }

  // The row `y` counted from the top of the picture.
  std::uint8_t* Row(int y) { return bits_.data() + RowOffset(y); }
  const std::uint8_t* Row(int y) const { return bits_.data() + RowOffset(y); }

  // Colour table of a paletted image (or the display palette of an 8-bit
  // capture). Empty for true-colour images.
  std::vector<TRGBQuad>& ColorTable() { return colorTable_; }
  const std::vector<TRGBQuad>& ColorTable() const { return colorTable_; }

  // Bit-field masks, present for 16- and 32-bit images that carry them
  // (16-bit images always do: 5-6-5 or 5-5-5).
  bool HasColorMasks() const { return hasMasks_; }
  const TColorMasks& ColorMasks() const { return masks_; }
  void SetColorMasks(const TColorMasks& masks);
  void ClearColorMasks() { hasMasks_ = false; }

  // Colour of one pixel, whatever the format.
  TRGBQuad PixelColor(int x, int y) const;

  // Turns the image in place into a 24-bit device-independent bitmap with
  // the same pixels (palette and masks are dropped). An empty image stays
  // empty but becomes 24-bit.
  void ConvertTo24Bit();

  // The same for a 24- or plain 32-bit image (32 bits without masks or with
  // 8-8-8 masks), handing each row to `visitRow` in its old format just
  // before it is converted, so a caller can read the pixels while they are
  // still in the cache. `y` counts from the top; rows go bottom row first.
  // Other formats raise std::invalid_argument and stay unchanged.
  void ConvertPlainTo24Bit(const std::function<void(int y, const std::uint8_t* row)>& visitRow);

  friend bool operator==(const TBitmap&, const TBitmap&) = default;

 private:
  void ConvertPlainTo24BitInPlace(const std::function<void(int, const std::uint8_t*)>& visitRow);
  std::size_t RowOffset(int y) const { return static_cast<std::size_t>(height_ - 1 - y) * Stride(); }

  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 24;
  bool device_ = false;
  bool hasMasks_ = false;
  TColorMasks masks_{};
  std::vector<TRGBQuad> colorTable_;
  std::vector<std::uint8_t> bits_;
};

// The usual masks, for images made by hand and by the readers.
inline constexpr TColorMasks kMasks555{0x7C00, 0x03E0, 0x001F};
inline constexpr TColorMasks kMasks565{0xF800, 0x07E0, 0x001F};
inline constexpr TColorMasks kMasks888{0x00FF0000, 0x0000FF00, 0x000000FF};
