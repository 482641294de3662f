#include "gif/gif_image.h"

#include <algorithm>
#include <new>
#include <unordered_map>

#include "gif/color_reduction.h"
#include "gif/dib.h"
#include "gif/gif_exception.h"
#include "gif/lzw_encoder.h"
#include "gif/rle_encoder.h"

namespace {

constexpr int kMaxDimension = 0xFFFF;

void WriteWord(std::uint8_t* out, int value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

// A frame's own indices.
class TFrameRows final : public TIndexRows {
 public:
  explicit TFrameRows(const TGIFSubImage& frame) : frame_(frame) {}
  const std::uint8_t* Row(int y) override { return frame_.IndexRow(y); }

 private:
  const TGIFSubImage& frame_;
};

// The rows of an 8-bit bitmap, which are its indices.
class TBitmapRows final : public TIndexRows {
 public:
  explicit TBitmapRows(const TBitmap& bitmap) : bitmap_(bitmap) {}
  const std::uint8_t* Row(int y) override { return bitmap_.Row(y); }

 private:
  const TBitmap& bitmap_;
};

// Empties an image when a one-shot write ends, however it ends.
class TClearAtEnd {
 public:
  explicit TClearAtEnd(TGIFImage& image) : image_(image) {}
  ~TClearAtEnd() { image_.Clear(); }
  TClearAtEnd(const TClearAtEnd&) = delete;
  TClearAtEnd& operator=(const TClearAtEnd&) = delete;

 private:
  TGIFImage& image_;
};

std::unique_ptr<TGIFEncoder> MakeEncoder(TGIFEncoding encoding) {
  if (encoding == encRunLength) return std::make_unique<TRLEEncoder>();
  return std::make_unique<TLZWEncoder>();
}

// The largest bit count over the global map and every frame's local map.
int LargestMapBits(const TGIFImage& image) {
  int bits = image.Header().ColorMap().BitsPerPixel();
  for (const auto& frame : image.Images()) bits = std::max(bits, frame->ColorMap().BitsPerPixel());
  return bits;
}

}  // namespace

// ---- header

void TGIFHeader::Clear() {
  Width = Height = 0;
  Packed = BackgroundColorIndex = AspectRatio = 0;
  colorMap_.Clear();
}

void TGIFHeader::SaveToStream(TStream& stream) const {
  const int version = Image() ? Image()->Version() : 0;
  if (version == 0) throw GIFException(sUnsupportedGIFVersion);
  stream.Write(version == 2 ? "GIF89a" : "GIF87a");

  // Colour resolution and size bits follow the largest map; with every
  // map empty both come out as -1, whose low three bits are 7.
  const int bits = LargestMapBits(*Image());
  std::uint8_t packed = 0;
  if (colorMap_.Count() > 0) {
    packed |= 0x80;
    if (colorMap_.Sorted()) packed |= 0x08;
  }
  packed |= static_cast<std::uint8_t>(((bits - 1) & 7) << 4);
  packed |= static_cast<std::uint8_t>((bits - 1) & 7);

  std::uint8_t descriptor[7];
  WriteWord(descriptor, Width);
  WriteWord(descriptor + 2, Height);
  descriptor[4] = packed;
  descriptor[5] = BackgroundColorIndex;
  descriptor[6] = AspectRatio;
  stream.Write(descriptor, sizeof descriptor);
  if (packed & 0x80) colorMap_.SaveToStream(stream);
}

// ---- frame

void TGIFSubImage::Clear() {
  colorMap_.Clear();
  left_ = top_ = width_ = height_ = 0;
  Packed = 0;
  bitmap_ = TBitmap();
  data_.clear();
  data_.shrink_to_fit();
}

void TGIFSubImage::SetBounds(int left, int top, int width, int height) {
  if (left < 0 || top < 0 || width < 0 || height < 0 || left + static_cast<long long>(width) > kMaxDimension ||
      top + static_cast<long long>(height) > kMaxDimension)
    throw GIFException(sInvalidImageDimensions);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (Image()) Image()->FrameResized(*this);
}

void TGIFSubImage::Assign(TBitmap& bitmap) {
  Clear();
  if (bitmap.Empty()) return;
  SetBounds(0, 0, bitmap.Width(), bitmap.Height());
  if (!bitmap.IsDeviceFormat() && bitmap.BitsPerPixel() <= 8) {
    bitmap_ = bitmap;
  } else {
    const TGIFImage* image = Image();
    bitmap_ = image ? ReduceColors(bitmap, image->ColorReduction, image->DitherMode, image->ReductionBits,
                                   &image->CustomPalette)
                    : ReduceColors(bitmap, DefaultColorReduction, DefaultDitherMode, DefaultReductionBits);
  }
  // An empty reduction result (unknown method, no palette) is refused
  // here as "Invalid image dimensions" rather than written as a blank picture.
  const TDIBReader reader(bitmap_, bitmap_.BitsPerPixel() <= 8 ? bitmap_.BitsPerPixel() : 24);
  ImportColorMap(bitmap_);
  ImportPixels(bitmap_);
}

std::unique_ptr<TIndexRows> TGIFSubImage::AssignRows(TBitmap& bitmap) {
  Clear();
  const TGIFImage* image = Image();
  const TReductionMethod method = image ? image->ColorReduction : DefaultColorReduction;
  const TDitherKind dither = image ? image->DitherMode : DefaultDitherMode;
  const bool asItIs = !bitmap.IsDeviceFormat() && bitmap.BitsPerPixel() == 8;
  if (bitmap.Empty() || !(asItIs || ReducesPixelByPixelToCube(bitmap, method, dither))) return nullptr;
  SetBounds(0, 0, bitmap.Width(), bitmap.Height());
  if (asItIs) {
    const TDIBReader reader(bitmap, 8);
    ImportColorMap(bitmap);
    return std::make_unique<TBitmapRows>(bitmap);
  }
  // Reading the bitmap at 24 bits converts it, as the reduction would.
  const TDIBReader reader(bitmap, 24);
  for (const TRGBQuad& entry : ColorTableOf(WebCubePalette())) colorMap_.Add({entry.Red, entry.Green, entry.Blue});
  return std::make_unique<TCubeRows>(bitmap);
}

const std::uint8_t* TGIFSubImage::IndexRow(int y) const {
  if (bitmap_.BitsPerPixel() == 8) return bitmap_.Row(y);
  return data_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
}

void TGIFSubImage::ImportColorMap(const TBitmap& bitmap) {
  if (bitmap.BitsPerPixel() > 8) return;  // built from the pixels
  const auto& table = bitmap.ColorTable();
  const std::size_t count = std::min<std::size_t>(table.size(), TGIFColorMap::kMaxColors);
  for (std::size_t i = 0; i < count; ++i) colorMap_.Add({table[i].Red, table[i].Green, table[i].Blue});
}

void TGIFSubImage::ImportPixels(const TBitmap& bitmap) {
  const int bits = bitmap.BitsPerPixel();
  if (bits == 8) return;  // its rows are the indices
  try {
    data_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  } catch (const std::bad_alloc&) {
    throw GIFException(sOutOfMemoryDIB);
  }
  std::uint8_t* out = data_.data();
  if (bits == 24) {
    std::unordered_map<std::uint32_t, std::uint8_t> indices;
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* p = bitmap.Row(y);
      for (int x = 0; x < width_; ++x, p += 3) {
        const std::uint32_t key = p[0] | p[1] << 8 | p[2] << 16;
        auto found = indices.find(key);
        if (found == indices.end())
          found = indices.emplace(key, static_cast<std::uint8_t>(colorMap_.Add({p[2], p[1], p[0]}))).first;
        *out++ = found->second;
      }
    }
    return;
  }
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* row = bitmap.Row(y);
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width_; ++x) {
      const int shift = 8 - bits * (x % perByte + 1);
      *out++ = static_cast<std::uint8_t>((row[x / perByte] >> shift) & mask);
    }
  }
}

bool TGIFSubImage::NeedsVersion89a() const { return colorMap_.Sorted() || extensions_.Count() > 0; }

void TGIFSubImage::SaveToStream(TStream& stream) const {
  TFrameRows rows(*this);
  WriteFrame(stream, Empty() ? nullptr : &rows);
}

void TGIFSubImage::SaveToStream(TStream& stream, TIndexRows& rows) const { WriteFrame(stream, &rows); }

void TGIFSubImage::WriteFrame(TStream& stream, TIndexRows* rows) const {
  for (const auto& extension : extensions_) extension->SaveToStream(stream);
  if (rows == nullptr || width_ == 0 || height_ == 0) return;

  // Frames are always written non-interlaced when they have a local map.
  std::uint8_t packed;
  int bits;
  int colorCount;
  if (colorMap_.Count() > 0) {
    bits = colorMap_.BitsPerPixel();
    colorCount = colorMap_.Count();
    packed = static_cast<std::uint8_t>(0x80 | (colorMap_.Sorted() ? 0x20 : 0) | ((bits - 1) & 7));
  } else {
    bits = Image() ? LargestMapBits(*Image()) : 0;
    colorCount = 1 << bits;
    packed = Packed & 0x58;
  }

  std::uint8_t descriptor[10];
  descriptor[0] = 0x2C;
  WriteWord(descriptor + 1, left_);
  WriteWord(descriptor + 3, top_);
  WriteWord(descriptor + 5, width_);
  WriteWord(descriptor + 7, height_);
  descriptor[9] = packed;
  stream.Write(descriptor, sizeof descriptor);
  colorMap_.SaveToStream(stream);

  const std::unique_ptr<TGIFEncoder> encoder = MakeEncoder(Image() ? Image()->Compression : DefaultCompression);
  encoder->Compress(stream, bits, colorCount, rows, (packed & 0x40) != 0, height_, width_);
}

// ---- lists and image

TGIFSubImage& TGIFImageList::Add(std::unique_ptr<TGIFItem> item) {
  auto* frame = dynamic_cast<TGIFSubImage*>(item.get());
  if (!frame) throw GIFException(sUnsupportedClass);
  item.release();
  return Add(std::unique_ptr<TGIFSubImage>(frame));
}

TGIFImage::TGIFImage()
    : ColorReduction(DefaultColorReduction),
      ReductionBits(DefaultReductionBits),
      DitherMode(DefaultDitherMode),
      Compression(DefaultCompression) {}

void TGIFImage::Clear() {
  images_.Clear();
  header_.ColorMap().Clear();
  header_.Width = 0;
  header_.Height = 0;
}

void TGIFImage::Assign(TBitmap& bitmap) {
  Clear();
  Add(bitmap);
}

TGIFSubImage& TGIFImage::Add(TBitmap& bitmap) {
  auto frame = std::make_unique<TGIFSubImage>(this);
  frame->Assign(bitmap);
  return images_.Add(std::move(frame));
}

TGIFSubImage& TGIFImage::Add(std::unique_ptr<TGIFItem> item) {
  TGIFSubImage& frame = images_.Add(std::move(item));
  FrameResized(frame);
  return frame;
}

void TGIFImage::Warn(const char* text) const {
  if (OnWarning) OnWarning(text);
}

void TGIFImage::FrameResized(const TGIFSubImage& frame) {
  const int right = frame.Left() + frame.Width();
  const int bottom = frame.Top() + frame.Height();
  const bool narrow = header_.Width != 0 && header_.Width < right;
  const bool low = header_.Height != 0 && header_.Height < bottom;
  if (narrow) Warn(sScreenWidthSmall);
  if (low) Warn(sScreenHeightSmall);
  if (narrow || low) Warn(sScreenSizeExceeded);
  header_.Width = static_cast<std::uint16_t>(std::max<int>(header_.Width, right));
  header_.Height = static_cast<std::uint16_t>(std::max<int>(header_.Height, bottom));
}

void TGIFImage::SetScreenWidth(int width) {
  if (width < 0 || width > kMaxDimension) throw GIFException(sInvalidImageDimensions);
  for (const auto& frame : images_)
    if (width < frame->Left() + frame->Width()) throw GIFException(sScreenWidthSmall);
  header_.Width = static_cast<std::uint16_t>(width);
}

void TGIFImage::SetScreenHeight(int height) {
  if (height < 0 || height > kMaxDimension) throw GIFException(sInvalidImageDimensions);
  for (const auto& frame : images_)
    if (height < frame->Top() + frame->Height()) throw GIFException(sScreenHeightSmall);
  header_.Height = static_cast<std::uint16_t>(height);
}

int TGIFImage::Version() const {
  if (images_.Count() == 0) return 0;
  for (const auto& frame : images_)
    if (frame->NeedsVersion89a()) return 2;
  return 1;
}

void TGIFImage::SaveToStream(TStream& stream) const {
  header_.SaveToStream(stream);
  for (const auto& frame : images_) frame->SaveToStream(stream);
  TGIFTrailer(nullptr).SaveToStream(stream);
}

void TGIFImage::SaveToFile(const std::string& path) const {
  TFileStream file(path, TFileStream::Mode::Create);
  SaveToStream(file);
  file.Close();
}

void TGIFImage::SaveBitmapToFile(TBitmap& bitmap, const std::string& path) {
  const TClearAtEnd clearAtEnd(*this);
  Clear();
  auto frame = std::make_unique<TGIFSubImage>(this);
  std::unique_ptr<TIndexRows> rows = frame->AssignRows(bitmap);
  if (!rows) {
    Assign(bitmap);
    SaveToFile(path);
    return;
  }
  const TGIFSubImage& added = images_.Add(std::move(frame));
  TFileStream file(path, TFileStream::Mode::Create);
  header_.SaveToStream(file);
  added.SaveToStream(file, *rows);
  TGIFTrailer(nullptr).SaveToStream(file);
  file.Close();
}
