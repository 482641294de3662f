// A GIF image in memory: the logical screen (header), its frames and the
// trailer, built from a bitmap and written as a GIF file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gif/bitmap.h"
#include "gif/gif_color_map.h"
#include "gif/gif_extension.h"
#include "gif/gif_item.h"
#include "gif/gif_types.h"
#include "gif/index_rows.h"
#include "gif/palettes.h"

// The logical screen descriptor and the global colour map.
class TGIFHeader final : public TGIFItem {
 public:
  using TGIFItem::TGIFItem;

  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::uint8_t Packed = 0;
  std::uint8_t BackgroundColorIndex = 0;
  std::uint8_t AspectRatio = 0;
  TGIFGlobalColorMap& ColorMap() { return colorMap_; }
  const TGIFGlobalColorMap& ColorMap() const { return colorMap_; }

  void Clear();
  // Signature, version, logical screen descriptor, global colour map.
  // Raises "Unsupported GIF version" for an image without frames.
  void SaveToStream(TStream& stream) const override;

 private:
  TGIFGlobalColorMap colorMap_;
};

// One frame: its extensions, image descriptor, local colour map and one
// colour index per pixel (rows from the top, no padding).
class TGIFSubImage final : public TGIFItem {
 public:
  using TGIFItem::TGIFItem;

  // Converts a bitmap into this frame. A device-independent bitmap of 1, 4
  // or 8 bits is taken as it is; any other is reduced with the owning
  // image's settings, which converts `bitmap` in place to 24 bits.
  void Assign(TBitmap& bitmap);
  // Readies the frame to be written straight from `bitmap`, without
  // holding its indices, where Assign would take an 8-bit bitmap as it is
  // or map each pixel on its own to the cube: size and colour map are set
  // as Assign sets them, `bitmap` is converted as Assign converts it, and
  // the result gives the indices a row at a time, from `bitmap` as long as
  // it lives unchanged. Otherwise returns null and leaves the frame empty.
  std::unique_ptr<TIndexRows> AssignRows(TBitmap& bitmap);
  void Clear();

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Raises "Invalid image dimensions" for sizes a GIF cannot hold.
  void SetBounds(int left, int top, int width, int height);
  bool Empty() const { return bitmap_.Empty() || width_ == 0 || height_ == 0; }

  std::uint8_t Packed = 0;
  bool Interlaced() const { return (Packed & 0x40) != 0; }
  TGIFExtensionList& Extensions() { return extensions_; }
  const TGIFExtensionList& Extensions() const { return extensions_; }
  TGIFLocalColorMap& ColorMap() { return colorMap_; }
  const TGIFLocalColorMap& ColorMap() const { return colorMap_; }
  // The colour indices of row `y` (from the top), one byte a pixel.
  const std::uint8_t* IndexRow(int y) const;
  // The bitmap the frame was made from: 1, 4 or 8 bits, or 24 after rdNone.
  const TBitmap& Bitmap() const { return bitmap_; }

  // A sorted local map or any extension needs GIF89a.
  bool NeedsVersion89a() const;
  void SaveToStream(TStream& stream) const override;
  // Writes the frame with `rows` as its indices (see AssignRows).
  void SaveToStream(TStream& stream, TIndexRows& rows) const;

 private:
  void ImportColorMap(const TBitmap& bitmap);
  void ImportPixels(const TBitmap& bitmap);
  // Extensions, descriptor, colour map and image data (none without rows).
  void WriteFrame(TStream& stream, TIndexRows* rows) const;

  TGIFExtensionList extensions_;
  TGIFLocalColorMap colorMap_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TBitmap bitmap_;
  // The indices where the bitmap's rows are not already them (1-, 4- and
  // 24-bit bitmaps): rows from the top without padding.
  std::vector<std::uint8_t> data_;
};

class TGIFTrailer final : public TGIFItem {
 public:
  using TGIFItem::TGIFItem;
  void SaveToStream(TStream& stream) const override { stream.WriteByte(0x3B); }
};

class TGIFImageList final : public TGIFList<TGIFSubImage> {
 public:
  using TGIFList<TGIFSubImage>::Add;
  // Only frames belong here: "Object type not supported for operation".
  TGIFSubImage& Add(std::unique_ptr<TGIFItem> item);
};

class TGIFImage {
 public:
  // Takes its settings from the process-wide defaults.
  TGIFImage();
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  TReductionMethod ColorReduction;
  int ReductionBits;
  TDitherKind DitherMode;
  TGIFEncoding Compression;
  // The palette of rdCustomPalette; without one that method has no colours.
  TPalette CustomPalette;
  // Receives warnings about a logical screen too small for a frame.
  std::function<void(const std::string&)> OnWarning;

  TGIFHeader& Header() { return header_; }
  const TGIFHeader& Header() const { return header_; }
  TGIFImageList& Images() { return images_; }
  const TGIFImageList& Images() const { return images_; }

  // Replaces the whole image with one frame made from `bitmap` (which may
  // be converted in place to 24 bits, see TGIFSubImage::Assign).
  void Assign(TBitmap& bitmap);
  // Appends a frame; any other item raises "Object type not supported for operation".
  TGIFSubImage& Add(std::unique_ptr<TGIFItem> item);
  // Appends a new frame made from a bitmap.
  TGIFSubImage& Add(TBitmap& bitmap);
  void Clear();

  // Sets the logical screen size; smaller than a frame raises "Image width
  // (height) too small for contained frames".
  void SetScreenWidth(int width);
  void SetScreenHeight(int height);
  // Called when a frame's bounds change: the screen grows to hold it.
  void FrameResized(const TGIFSubImage& frame);

  // 0 without frames, 1 for GIF87a, 2 for GIF89a.
  int Version() const;
  void SaveToStream(TStream& stream) const;
  // Creates or truncates the file; it is closed also when writing fails.
  void SaveToFile(const std::string& path) const;
  // Writes the file that Assign(bitmap) and SaveToFile(path) write, and
  // converts `bitmap` as Assign does, but codes each row as it is made
  // wherever TGIFSubImage::AssignRows can (the program's road), without a
  // whole picture of indices in memory. The image is left empty.
  void SaveBitmapToFile(TBitmap& bitmap, const std::string& path);

 private:
  void Warn(const char* text) const;

  TGIFHeader header_{this};
  TGIFImageList images_;
};
