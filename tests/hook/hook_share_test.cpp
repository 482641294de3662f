#include "hook/hook_share.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

struct THandleCase {
  std::uint32_t Field;
  std::uintptr_t Handle;
};

constexpr std::uintptr_t kAllOnes = std::numeric_limits<std::uintptr_t>::max();

class HandleFields : public ::testing::TestWithParam<THandleCase> {};

TEST_P(HandleFields, WidenWithSignExtensionAndNarrowBack) {
  EXPECT_EQ(FieldToHandle(GetParam().Field), GetParam().Handle);
  EXPECT_EQ(HandleToField(GetParam().Handle), GetParam().Field);
}

INSTANTIATE_TEST_SUITE_P(Values, HandleFields,
                         ::testing::Values(THandleCase{0, 0}, THandleCase{0x000A0432u, 0x000A0432u},
                                           THandleCase{0x7FFFFFFFu, 0x7FFFFFFFu},
                                           // The top bit set: widened as a negative 32-bit value.
                                           THandleCase{0xFFFFFFFFu, kAllOnes},
                                           THandleCase{0x80000000u, kAllOnes - 0x7FFFFFFFu}));

TEST(HookShare, FieldsLandAtTheirBytes) {
  THookShare share{};
  share.MainWindowHandle = 0x11223344u;
  share.HotKeyEnabled[kDefaultHotKey] = 1;
  share.HookMode = kHookModeSelecting;
  share.HotKeyTargetWindow = 0xAABBCCDDu;
  share.HotKeyEntryActive = 1;

  unsigned char bytes[kHookShareSize];
  std::memcpy(bytes, &share, sizeof bytes);
  const unsigned char window[] = {0x44, 0x33, 0x22, 0x11};
  EXPECT_EQ(std::memcmp(bytes, window, 4), 0);
  EXPECT_EQ(bytes[64], 1);  // the switch of "F11"
  EXPECT_EQ(bytes[268], 2);
  const unsigned char target[] = {0xDD, 0xCC, 0xBB, 0xAA};
  EXPECT_EQ(std::memcmp(bytes + 272, target, 4), 0);
  EXPECT_EQ(bytes[276], 1);
}

}  // namespace
