#include <gtest/gtest.h>

#include "tool/convert_options.h"

namespace {

struct TGoodCase {
  const char* name;
  TArguments args;
  TOutputFormat format;
  std::optional<TGIFOptions> gif;
};

class ConvertArguments : public testing::TestWithParam<TGoodCase> {};

TEST_P(ConvertArguments, AreUnderstood) {
  const TConvertRequest request = ParseConvertArguments(GetParam().args);
  EXPECT_EQ(request.format, GetParam().format);
  ASSERT_EQ(request.gif.has_value(), GetParam().gif.has_value());
  if (request.gif) {
    EXPECT_EQ(request.gif->Encoding, GetParam().gif->Encoding);
    EXPECT_EQ(request.gif->Reduction, GetParam().gif->Reduction);
    EXPECT_EQ(request.gif->Dither, GetParam().gif->Dither);
    EXPECT_EQ(request.gif->ReductionBits, GetParam().gif->ReductionBits);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertArguments,
    testing::Values(
        TGoodCase{"plain_gif_takes_the_road", {"a.bmp", "b.gif"}, TOutputFormat::ofGIF, std::nullopt},
        TGoodCase{"upper_case_extensions", {"a.JPG", "b.BMP"}, TOutputFormat::ofBitmap, std::nullopt},
        TGoodCase{"jpeg_output", {"a.bmp", "dir.gif/b.Jpg"}, TOutputFormat::ofJPEG, std::nullopt},
        TGoodCase{"all_gif_options", {"a.bmp", "b.gif", "--encoding", "lzw", "--reduction", "7", "--dither", "1", "--bits", "5"},
                  TOutputFormat::ofGIF, TGIFOptions{encLZW, rdOctree, dkFloydSteinberg, 5}},
        TGoodCase{"options_first_with_equals", {"--dither=6", "a.bmp", "b.gif"}, TOutputFormat::ofGIF,
                  TGIFOptions{encRunLength, rdWebCube, dkBurkes, 8}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TBadCase {
  const char* name;
  TArguments args;
  const char* message;
};

class BadConvertArguments : public testing::TestWithParam<TBadCase> {};

TEST_P(BadConvertArguments, AreRefusedWithAReason) {
  try {
    ParseConvertArguments(GetParam().args);
    FAIL() << "accepted";
  } catch (const EUsageError& e) {
    EXPECT_STREQ(e.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadConvertArguments,
    testing::Values(
        TBadCase{"no_files", {}, "convert needs an input and an output file"},
        TBadCase{"three_files", {"a.bmp", "b.gif", "c.gif"}, "convert needs an input and an output file"},
        TBadCase{"unknown_output", {"a.bmp", "b.png"}, "the output file must end in .bmp, .gif or .jpg: b.png"},
        TBadCase{"extension_only_in_folder", {"a.bmp", "x.gif/b"}, "the output file must end in .bmp, .gif or .jpg: x.gif/b"},
        TBadCase{"bad_encoding", {"a.bmp", "b.gif", "--encoding", "huffman"}, "--encoding takes rle or lzw, not \"huffman\""},
        TBadCase{"reduction_too_big", {"a.bmp", "b.gif", "--reduction", "10"}, "--reduction takes a number from 0 to 9, not \"10\""},
        TBadCase{"dither_not_a_number", {"a.bmp", "b.gif", "--dither", "2x"}, "--dither takes a number from 0 to 6, not \"2x\""},
        TBadCase{"bits_zero", {"a.bmp", "b.gif", "--bits=0"}, "--bits takes a number from 1 to 8, not \"0\""},
        TBadCase{"missing_value", {"a.bmp", "b.gif", "--bits"}, "--bits needs a value"},
        TBadCase{"unknown_option", {"a.bmp", "b.gif", "--colour", "red"}, "unknown option --colour"},
        TBadCase{"gif_option_for_jpeg", {"a.bmp", "b.jpg", "--dither", "1"}, "GIF options need a .gif output file"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
