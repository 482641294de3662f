#include "capture/win/shaped_cut.h"

#include <gtest/gtest.h>

#include <string>

#include "bitmap_pixels.h"
#include "capture/shape_figures.h"
#include "capture/win/figure_drawing.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMaskColour = RGB(0, 128, 255);
constexpr COLORREF kBorderColour = RGB(255, 0, 128);

// Which pixels `figure` covers when drawn with `pen` and `brush` on black.
TPixels Coverage(const TFigure& figure, int width, int height, HPEN pen, HBRUSH brush) {
  win::TBitmapHandle bitmap = MakeDisplayBitmap(width, height);
  {
    win::TWindowDC screen(nullptr);
    win::TCreatedDC dc(CreateCompatibleDC(screen.Get()));
    win::TSelectObject bitmap_selection(dc.Get(), bitmap.Get());
    const RECT all{0, 0, width, height};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    win::TSelectObject pen_selection(dc.Get(), pen);
    win::TSelectObject brush_selection(dc.Get(), brush);
    DrawFigure(dc.Get(), figure);
  }
  return ReadBitmap(bitmap.Get(), width, height);
}

struct TCut {
  TPixels Source;
  TPixels Result;
};

TCut Cut(int width, int height, TShapeKind kind, const TShapeStyle& style) {
  TCut cut{Pattern(width, height), {}};
  win::TBitmapHandle bitmap = MakeDisplayBitmap(cut.Source);
  CutShape(bitmap.Get(), width, height, kind, style);
  cut.Result = ReadBitmap(bitmap.Get(), width, height);
  return cut;
}

TShapeStyle Style(TShapeKind kind, bool use_border, COLORREF mask) {
  // Vertex settings the mask control takes as they are.
  const bool polygon = kind >= skPolygon1;
  return {true,
          static_cast<std::int32_t>(mask),
          use_border,
          kBorderColour,
          polygon ? 7 : 10,
          polygon ? 30 : 56,
          polygon ? 20 : 90};
}

struct TSize2 {
  int Width, Height;
};

using TInvariantCase = std::tuple<TShapeKind, TSize2, bool, COLORREF>;
class CutInvariant : public testing::TestWithParam<TInvariantCase> {};

// Inside the figure the screen stays, its outline takes the border colour
// (or the mask colour, or black for the square), everything else the mask
// colour; a white mask leaves no black ring.
TEST_P(CutInvariant, KeepsTheInsideAndMasksTheRest) {
  const auto [kind, size, use_border, mask_colour] = GetParam();
  const TShapeStyle style = Style(kind, use_border, mask_colour);
  const TCut cut = Cut(size.Width, size.Height, kind, style);
  const TFigure figure = ShapeImageFigure(MyShapeTypeFor(kind), size.Width, size.Height, 0, 1,
                                          {style.Vectors, style.VectorSize, style.Angle});
  win::TPen white_pen(CreatePen(PS_SOLID, 1, kWhite));
  win::TPen black_pen(CreatePen(PS_SOLID, 1, kBlack));
  const TPixels inside =
      Coverage(figure, size.Width, size.Height, black_pen.Get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const TPixels outline =
      Coverage(figure, size.Width, size.Height, white_pen.Get(), static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  const COLORREF mask = kind == skSquare ? kBlack : mask_colour;
  const COLORREF edge = kind == skSquare ? kBlack : use_border ? kBorderColour : mask_colour;
  int inside_count = 0;
  for (int y = 0; y < size.Height; ++y) {
    for (int x = 0; x < size.Width; ++x) {
      const COLORREF expected = outline.At(x, y) == kWhite  ? edge
                                : inside.At(x, y) == kWhite ? cut.Source.At(x, y)
                                                            : mask;
      inside_count += inside.At(x, y) == kWhite && outline.At(x, y) != kWhite;
      ASSERT_EQ(cut.Result.At(x, y), expected) << "at " << x << ", " << y;
    }
  }
  if (size.Width >= 7 && size.Height >= 7) {
    EXPECT_GT(inside_count, 0);
  }
}

std::string InvariantName(const testing::TestParamInfo<TInvariantCase>& info) {
  const auto [kind, size, use_border, mask] = info.param;
  return "Kind" + std::to_string(kind) + "_" + std::to_string(size.Width) + "x" + std::to_string(size.Height) +
         (use_border ? "_Border" : "_NoBorder") + (mask == kWhite ? "_WhiteMask" : "");
}

// Every size for every kind; the star and polygons are always cut square.
INSTANTIATE_TEST_SUITE_P(Square, CutInvariant,
                         testing::Combine(testing::Range(skRoundedRectangle,
                                                         static_cast<TShapeKind>(kLastShapeKind + 1)),
                                          testing::Values(TSize2{0, 0}, TSize2{1, 1}, TSize2{2, 2}, TSize2{3, 3},
                                                          TSize2{7, 7}, TSize2{8, 8}, TSize2{41, 41}, TSize2{64, 64}),
                                          testing::Bool(), testing::Values(kMaskColour)),
                         InvariantName);
INSTANTIATE_TEST_SUITE_P(WideAndTall, CutInvariant,
                         testing::Combine(testing::Range(skRoundedRectangle, skStar),
                                          testing::Values(TSize2{60, 25}, TSize2{25, 60}, TSize2{1, 9}, TSize2{9, 2}),
                                          testing::Bool(), testing::Values(kMaskColour)),
                         InvariantName);
INSTANTIATE_TEST_SUITE_P(WhiteMask, CutInvariant,
                         testing::Combine(testing::Values(skEllipse, skSquare), testing::Values(TSize2{200, 100}),
                                          testing::Bool(), testing::Values(kWhite)),
                         InvariantName);

TEST(ShapedCut, StarWithSixVectorsIsCutAsTenAndBorderedAsSix) {
  const TCut cut = Cut(100, 100, skStar, {true, kWhite, true, kRed, 6, 56, 90});
  // In the right arm of the five-pointed cut, outside the six-vertex border.
  EXPECT_EQ(cut.Result.At(88, 38), cut.Source.At(88, 38));
  // A vertex of the six-vertex border, outside the five-pointed cut.
  EXPECT_EQ(cut.Result.At(7, 75), kRed);
  EXPECT_EQ(cut.Result.At(93, 74), kWhite);
}

TEST(ShapedCut, PolygonWithTwoVectorsKeepsTheMasksTenAndBordersALine) {
  const TCut cut = Cut(100, 100, skPolygon2, {true, kWhite, true, kRed, 2, 0, 90});
  EXPECT_EQ(cut.Result.At(50, 50), kRed);                 // the two-vertex border
  EXPECT_EQ(cut.Result.At(3, 50), cut.Source.At(3, 50));  // inside the decagon
  EXPECT_EQ(cut.Result.At(30, 50), cut.Source.At(30, 50));
  EXPECT_EQ(cut.Result.At(2, 2), kWhite);
}

TEST(ShapedCut, RectangleIsNotCut) {
  const TCut cut = Cut(30, 20, skRectangle, {false, kWhite, true, kRed});
  EXPECT_EQ(cut.Result.Values, cut.Source.Values);
}

}  // namespace
