// The in-memory picture that every output road works on: "the current image".
//
// Rows are kept exactly as a BMP file stores them: bottom-up, each row padded
// to a multiple of four bytes. That lets the BMP writer dump them unchanged
// and lets GDI use them as they are, because a bottom-up DIB has the same
// layout: a capture's rows are those of the DIB section the screen was
// copied into.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
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

// Keeps alive memory that holds an image's rows and that someone other
// than the image made (the system's DIB section of a capture); the image
// frees it by deleting its owner.
class TPixelOwner {
 public:
  virtual ~TPixelOwner() = default;
};

class TBitmap {
 public:
  // An empty image (no capture yet): zero width and height.
  TBitmap() = default;

  // A device-independent image of 1, 4, 8, 15, 16, 24 or 32 bits per pixel,
  // all pixels zero. 15 is stored as 16 bits with 5-5-5 masks. The zeros
  // cost no pass over the rows (see platform::AllocateZeroedPixels).
  TBitmap(int width, int height, int bitsPerPixel);

  // A copy owns new rows; moving hands the rows over.
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;
  ~TBitmap();

  // A fresh capture in the display's own format (bitsPerPixel is the
  // display's depth). Its rows use the same layout as a DIB of that depth.
  static TBitmap DeviceFormat(int width, int height, int bitsPerPixel);
  // The same over rows the system made: `bits` holds StrideFor(width,
  // bitsPerPixel) * height bytes, bottom-up, valid while `owner` lives. The
  // image keeps `owner` and uses the rows in place, also when it converts
  // itself to 24 bits.
  static TBitmap DeviceFormat(int width, int height, int bitsPerPixel, std::uint8_t* bits,
                              std::unique_ptr<TPixelOwner> owner);
  // Hands over what keeps the rows alive, so that the next image can use
  // the same memory; the image is left empty.
  std::unique_ptr<TPixelOwner> TakeRows();

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
  std::span<std::uint8_t> Bits() { return {bits_, bitsSize_}; }
  std::span<const std::uint8_t> Bits() const { return {bits_, bitsSize_}; }

  // The row `y` counted from the top of the picture.
  std::uint8_t* Row(int y) { return bits_ + RowOffset(y); }
  const std::uint8_t* Row(int y) const { return bits_ + RowOffset(y); }

  // Colour table of a paletted image (or the display palette of an 8-bit
  // capture). Empty for true-colour images.
  std::vector<TRGBQuad>& ColorTable() { return colorTable_; }
  const std::vector<TRGBQuad>& ColorTable() const { return colorTable_; }

  // Bit-field masks, present for 16- and 32-bit images that carry them
  // (16-bit images always do: 5-6-5 or 5-5-5).
  bool HasColorMasks() const { return hasMasks_; }
  const TColorMasks& ColorMasks() const { return masks_; }
  // 32 bits a pixel as blue, green, red and an unused byte (no masks, or
  // the usual 8-8-8 ones): the format that packs to 24 bits byte by byte.
  bool IsPlain32Bit() const;
  // 24 bits, or plain 32: rows that convert to 24 bits in place.
  bool IsPlainTrueColor() const { return bitsPerPixel_ == 24 || IsPlain32Bit(); }
  void SetColorMasks(const TColorMasks& masks);
  void ClearColorMasks() { hasMasks_ = false; }

  // Colour of one pixel, whatever the format.
  TRGBQuad PixelColor(int x, int y) const;
  // Row `y` (from the top) as 24-bit pixels (blue, green, red) into `out`,
  // 3 * Width() bytes, whatever the format.
  void RowAs24Bit(int y, std::uint8_t* out) const;

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

  // Same size, format, colours and bytes (wherever the rows live).
  friend bool operator==(const TBitmap& a, const TBitmap& b);

 private:
  void ConvertPlainTo24BitInPlace(const std::function<void(int, const std::uint8_t*)>& visitRow);
  std::size_t RowOffset(int y) const { return static_cast<std::size_t>(height_ - 1 - y) * Stride(); }
  // Takes the size and pixel format of `other`, without its colour table
  // and rows.
  void CopyFormat(const TBitmap& other);

  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 24;
  bool device_ = false;
  bool hasMasks_ = false;
  TColorMasks masks_{};
  std::vector<TRGBQuad> colorTable_;
  // The rows: bitsSize_ bytes at bits_, kept alive by owner_. A conversion
  // to 24 bits may leave the memory longer than the rows.
  std::unique_ptr<TPixelOwner> owner_;
  std::uint8_t* bits_ = nullptr;
  std::size_t bitsSize_ = 0;
};

// The usual masks, for images made by hand and by the readers.
inline constexpr TColorMasks kMasks555{0x7C00, 0x03E0, 0x001F};
inline constexpr TColorMasks kMasks565{0xF800, 0x07E0, 0x001F};
inline constexpr TColorMasks kMasks888{0x00FF0000, 0x0000FF00, 0x000000FF};
