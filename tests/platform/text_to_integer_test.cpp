#include "platform/text_to_integer.h"

#include <gtest/gtest.h>

namespace {

struct TConversionCase {
  const char* Text;
  std::int32_t Value;
  bool Complete;
};

class IntegerText : public ::testing::TestWithParam<TConversionCase> {};

TEST_P(IntegerText, ConvertsByTheRuntimeRule) {
  const TIntegerText result = ParseIntegerText(GetParam().Text);
  EXPECT_EQ(result.Value, GetParam().Value) << '"' << GetParam().Text << '"';
  EXPECT_EQ(result.Complete, GetParam().Complete) << '"' << GetParam().Text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntegerText,
    ::testing::Values(
        TConversionCase{"25", 25, true}, TConversionCase{"-25", -25, true}, TConversionCase{"+7", 7, true},
        TConversionCase{"  42", 42, true}, TConversionCase{"0", 0, true}, TConversionCase{"0x1F", 31, true},
        TConversionCase{"0X1f", 31, true}, TConversionCase{"$10", 16, true}, TConversionCase{"-$10", -16, true},
        TConversionCase{"$FFFFFFFF", -1, true}, TConversionCase{"16777215", 16777215, true},
        TConversionCase{"2147483647", 2147483647, true}, TConversionCase{"-2147483648", INT32_MIN, true},
        // Incomplete: the leading digits, without the sign.
        TConversionCase{"-5x", 5, false}, TConversionCase{"25x", 25, false}, TConversionCase{"abc", 0, false},
        TConversionCase{"", 0, false}, TConversionCase{"-", 0, false}, TConversionCase{"$", 0, false},
        TConversionCase{"0x", 0, false}, TConversionCase{"25 ", 25, false}, TConversionCase{"1.5", 1, false},
        TConversionCase{"$1G", 1, false}, TConversionCase{"2147483648", 214748364, false},
        TConversionCase{"-2147483649", 214748364, false}, TConversionCase{"$100000000", 0x10000000, false}));

}  // namespace
