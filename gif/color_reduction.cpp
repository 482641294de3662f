#include "gif/color_reduction.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "gif/color_lookup.h"
#include "gif/dib.h"
#include "gif/dither.h"
#include "gif/gif_exception.h"
#include "gif/octree.h"
#include "gif/row_kernels.h"


namespace {

constexpr int kSystemColorsKept = 10;  // at each end of rdOctreeSystem's palette
constexpr int kOctreeSystemColors = 236;

TPalette OctreePalette(const TDIBReader& reader, int colors) {
  TColorQuantizer quantizer(colors);
  quantizer.AddImage(reader);
  TPalette palette = quantizer.Palette();
  // Fewer distinct colours than wanted: the unused entries are black.
  palette.resize(static_cast<std::size_t>(colors));
  return palette;
}

TPalette OctreeSystemPalette(const TDIBReader& reader) {
  const TPalette stock = StockPalette();
  TPalette palette(stock.begin(), stock.begin() + kSystemColorsKept);
  const TPalette leaves = OctreePalette(reader, kOctreeSystemColors);
  palette.insert(palette.end(), leaves.begin(), leaves.end());
  palette.insert(palette.end(), stock.end() - kSystemColorsKept, stock.end());
  return palette;
}

// The palette of a method; empty for an unknown method.
TPalette MethodPalette(TReductionMethod method, const TDIBReader& reader, int reductionBits,
                       const TPalette* customPalette) {
  switch (method) {
    case rdStockPalette:
      return StockPalette();
    case rdHalftone:
      return HalftonePalette();
    case rdGray4:
      return Gray4Palette();
    case rdMonochrome:
      return MonochromePalette();
    case rdGray256:
      return Gray256Palette();
    case rdWebCube:
      return WebCubePalette();
    case rdOctree:
      return OctreePalette(reader, 1 << std::clamp(reductionBits, 1, 8));
    case rdOctreeSystem:
      return OctreeSystemPalette(reader);
    case rdCustomPalette:
      return customPalette ? *customPalette : TPalette{};
    case rdNone:
      break;
  }
  return {};
}

std::unique_ptr<TColorLookup> MethodLookup(TReductionMethod method, const TPalette& palette) {
  switch (method) {
    case rdMonochrome:
      return std::make_unique<TMonochromeLookup>();
    case rdGray256:
      return std::make_unique<TGrayScaleLookup>();
    case rdWebCube:
      return std::make_unique<TNetscapeColorLookup>();
    default:
      return std::make_unique<TFastColorLookup>(palette);
  }
}

TBitmap CopyAs24Bit(const TBitmap& bitmap) {
  TBitmap copy = bitmap;
  copy.ConvertTo24Bit();
  return copy;
}

TBitmap Reduce(TBitmap& bitmap, TReductionMethod method, TDitherKind dither, int reductionBits,
               const TPalette* customPalette) {
  if (method == rdNone) return CopyAs24Bit(bitmap);
  TBitmap result;
  const TDIBReader reader(bitmap, 24);
  if (method > rdCustomPalette) return result;
  const TPalette palette = MethodPalette(method, reader, reductionBits, customPalette);
  const std::unique_ptr<TColorLookup> lookup = MethodLookup(method, palette);
  if (lookup->Colors() == 0) return result;
  const std::unique_ptr<TDitherEngine> engine = CreateDitherEngine(dither, reader.Width(), *lookup);
  if (!engine) return result;
  TDIBWriter writer(result, palette, reader.Height(), reader.Width());
  for (int y = 0; y < reader.Height(); ++y) {
    const std::uint8_t* source = reader.ScanLine(y);
    std::uint8_t* target = writer.ScanLine(y);
    for (int x = engine->Column(); x >= 0 && x < reader.Width(); x = engine->Column()) {
      const std::uint8_t* p = source + 3 * static_cast<std::size_t>(x);
      target[x] = engine->Dither(p[2], p[1], p[0]);
    }
    engine->NextLine();
  }
  writer.Commit();
  return result;
}

// The common road, rdWebCube with dkNearest from a 24- or 32-bit source:
// each pixel maps on its own, so rows are mapped straight from the
// source's bytes, and the source is converted (in place) afterwards.
TBitmap ReduceToCube(TBitmap& bitmap) {
  if (bitmap.Empty()) throw GIFException(sInvalidImageDimensions);
  const std::size_t needed = bitmap.Stride() * static_cast<std::size_t>(bitmap.Height());
  if (bitmap.Bits().size() < needed) throw GIFException(sNoDIB);
  TBitmap result;
  TDIBWriter writer(result, WebCubePalette(), bitmap.Height(), bitmap.Width());
  // Each row is mapped just before the conversion moves it, while it is
  // still in the cache: one pass over the source instead of two.
  const auto width = static_cast<std::size_t>(bitmap.Width());
  const auto mapRow = bitmap.BitsPerPixel() == 32 ? MapRow32ToCube : MapRow24ToCube;
  bitmap.ConvertPlainTo24Bit([&](int y, const std::uint8_t* row) { mapRow(row, writer.ScanLine(y), width); });
  writer.Commit();
  return result;
}

}  // namespace

TBitmap ReduceColors(TBitmap& bitmap, TReductionMethod method, TDitherKind dither, int reductionBits,
                     const TPalette* customPalette) {
  if (method == rdWebCube && dither == dkNearest && bitmap.IsPlainTrueColor()) return ReduceToCube(bitmap);
  return Reduce(bitmap, method, dither, reductionBits, customPalette);
}

TBitmap ReduceColorsPerPixel(TBitmap& bitmap, TReductionMethod method, TDitherKind dither, int reductionBits,
                             const TPalette* customPalette) {
  return Reduce(bitmap, method, dither, reductionBits, customPalette);
}

bool ReducesPixelByPixelToCube(const TBitmap& bitmap, TReductionMethod method, TDitherKind dither) {
  return method == rdWebCube && dither == dkNearest && (bitmap.IsDeviceFormat() || bitmap.BitsPerPixel() > 8);
}

TCubeRows::TCubeRows(const TBitmap& bitmap) : bitmap_(bitmap) {
  if (bitmap.BitsPerPixel() != 24 || bitmap.IsDeviceFormat()) throw GIFException(sUnsupportedPixelFormat);
  row_.resize(static_cast<std::size_t>(bitmap.Width()));
}

const std::uint8_t* TCubeRows::Row(int y) {
  MapRow24ToCube(bitmap_.Row(y), row_.data(), row_.size());
  return row_.data();
}
