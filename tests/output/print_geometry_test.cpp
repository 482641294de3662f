#include "output/print_geometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/text_to_integer.h"

void PrintTo(const TPrintRect& r, std::ostream* out) {
  *out << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

constexpr TPrintPage kPortrait{4800, 6400, false};
constexpr TPrintPage kLandscape{6400, 4800, true};
// The A4 page of a 300 dpi PostScript printer.
constexpr TPrintPage kA4{2479, 3508, false};

struct TPixelCase {
  const char* name;
  int pageWidth, pageHeight;
  TPrintRect expected;
};

class PixelSize : public testing::TestWithParam<TPixelCase> {};

TEST_P(PixelSize, KeepsTheImageSizeAtTheSeventeenthAndTwentySecond) {
  const TPixelCase& c = GetParam();
  EXPECT_EQ(PixelSizePlacement(c.pageWidth, c.pageHeight, 300, 200), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pages, PixelSize,
                         testing::Values(TPixelCase{"Portrait", 4800, 6400, {282, 290, 582, 490}},
                                         // No margin swap for landscape pages at pixel size.
                                         TPixelCase{"Landscape", 6400, 4800, {376, 218, 676, 418}},
                                         TPixelCase{"A4At300Dpi", 2479, 3508, {145, 159, 445, 359}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TScaledCase {
  const char* name;
  TPrintPage page;
  const char* text;
  TPrintRect expected;
};

class Scaled : public testing::TestWithParam<TScaledCase> {};

TEST_P(Scaled, PlacesTheImage) {
  const TScaledCase& c = GetParam();
  EXPECT_EQ(ScaledPlacement(c.page, 300, 200, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Scaled,
    testing::Values(TScaledCase{"DoubleSize", kPortrait, "200%", {282, 290, 882, 690}},
                    TScaledCase{"FullPagePortrait", kPortrait, "Full page", {282, 290, 4518, 6110}},
                    TScaledCase{"FullPageLandscape", kLandscape, "Full page", {290, 282, 6110, 4518}},
                    TScaledCase{"FullPageA4", kA4, "Full page", {145, 159, 2334, 3349}},
                    TScaledCase{"BlanksAroundAreTrimmed", kPortrait, " 300% ", {282, 290, 1182, 890}},
                    TScaledCase{"TabsAreTrimmedToo", kPortrait, "\t900%\t", {282, 290, 2982, 2090}},
                    TScaledCase{"TextWithoutPercentIsFullPage", kPortrait, "Fit", {282, 290, 4518, 6110}},
                    TScaledCase{"EmptyTextIsFullPage", kLandscape, "", {290, 282, 6110, 4518}},
                    TScaledCase{"FactorIsTruncated", kPortrait, "150%", {282, 290, 582, 490}},
                    TScaledCase{"BelowOneHundredIsEmpty", kPortrait, "99%", {282, 290, 282, 290}},
                    TScaledCase{"ZeroIsEmpty", kPortrait, "0%", {282, 290, 282, 290}},
                    TScaledCase{"OnlyTheFirstPercentCounts", kPortrait, "100%%", {282, 290, 582, 490}},
                    TScaledCase{"LandscapeMarginsForFactors", kLandscape, "100%", {290, 282, 590, 482}},
                    TScaledCase{"HugeFactorStopsAtTheIntRange",
                                kPortrait,
                                "2147483647%",
                                {282, 290, 282 + (1 << 30), 290 + (1 << 30)}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TBadScaleCase {
  const char* name;
  const char* text;
  const char* message;
};

class BadScale : public testing::TestWithParam<TBadScaleCase> {};

TEST_P(BadScale, RaisesTheConversionError) {
  try {
    ScaledPlacement(kPortrait, 300, 200, GetParam().text);
    FAIL() << "no error for " << GetParam().text;
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadScale,
    testing::Values(TBadScaleCase{"Letters", "abc%", "'abc' is not a valid integer value"},
                    TBadScaleCase{"NothingBeforePercent", " % ", "'' is not a valid integer value"},
                    TBadScaleCase{"BlankBeforePercent", "300 %", "'300 ' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
