#include "hook/win/input_filters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "hook/hook_messages.h"

namespace {

using kvexhk::TFilterResult;
using kvexhk::TMouseEvent;
using kvexhk::TPost;

constexpr std::uint32_t kMain = 0x1234, kDialog = 0x5678;
constexpr std::uint8_t kF11 = 0x7A, kF12 = 0x7B, kLeftCtrl = 0xA2, kRightAlt = 0xA5, kLeftWin = 0x5B, kShift = 0x10;

THookShare FreshShare() {
  THookShare share;
  std::memset(&share, 0, sizeof(share));
  share.MainWindowHandle = kMain;
  share.HotKeyTargetWindow = kMain;
  share.HookMode = kHookModeIdle;
  share.HotKeyEnabled[kDefaultHotKey] = 1;  // F11
  return share;
}

struct TKey {
  std::uint8_t key;
  bool down;
};

struct TKeyboardCase {
  const char* name;
  std::vector<TKey> keys;  // the last one is judged
  bool entry_active;
  TFilterResult expected;
};

class KeyboardFilter : public testing::TestWithParam<TKeyboardCase> {};

TEST_P(KeyboardFilter, JudgesTheLastKey) {
  const TKeyboardCase& c = GetParam();
  THookShare share = FreshShare();
  share.HotKeyEnabled[118] = 1;  // Ctrl+Alt+F1
  share.HotKeyEnabled[58] = 1;   // Win+F1
  if (c.entry_active) {
    share.HotKeyEntryActive = 1;
    share.HotKeyTargetWindow = kDialog;
  }
  kvexhk::TKeyboardFilter filter;
  TFilterResult result;
  for (const TKey& key : c.keys) result = filter.KeyEvent(share, key.key, key.down);
  EXPECT_EQ(result, c.expected);
}

TFilterResult Posted(std::uint32_t window, std::uint32_t message, int number, bool mask = false) {
  return TFilterResult{.swallow = true, .post = TPost{window, message, number, 0}, .mask_modifier = mask};
}
const TFilterResult kSwallowed{.swallow = true};
const TFilterResult kPassed{};

INSTANTIATE_TEST_SUITE_P(
    Combinations, KeyboardFilter,
    testing::Values(
        TKeyboardCase{"EnabledKeyPostsCaptureHotKey", {{kF11, true}}, false, Posted(kMain, kMsgCaptureHotKey, 44)},
        TKeyboardCase{"DisabledCombinationPasses", {{kF12, true}}, false, kPassed},
        TKeyboardCase{"KeyOutsideTheTablePasses", {{'A', true}}, false, kPassed},
        TKeyboardCase{"ModifierChangesTheCombination", {{kShift, true}, {kF11, true}}, false, kPassed},
        TKeyboardCase{"ReleasedModifierNoLongerCounts",
                      {{kShift, true}, {kShift, false}, {kF11, true}}, false, Posted(kMain, kMsgCaptureHotKey, 44)},
        TKeyboardCase{"SidedModifiersCombine",
                      {{kLeftCtrl, true}, {kRightAlt, true}, {0x70, true}}, false,
                      Posted(kMain, kMsgCaptureHotKey, 118, true)},
        TKeyboardCase{"WinCombinationMasksTheModifier",
                      {{kLeftWin, true}, {0x70, true}}, false, Posted(kMain, kMsgCaptureHotKey, 58, true)},
        TKeyboardCase{"AutoRepeatIsSwallowedWithoutPosting", {{kF11, true}, {kF11, true}}, false, kSwallowed},
        TKeyboardCase{"ReleaseOfASwallowedKeyIsSwallowed", {{kF11, true}, {kF11, false}}, false, kSwallowed},
        TKeyboardCase{"ReleaseOfAPassedKeyPasses", {{kF12, true}, {kF12, false}}, false, kPassed},
        TKeyboardCase{"NextPressAfterReleasePostsAgain",
                      {{kF11, true}, {kF11, false}, {kF11, true}}, false, Posted(kMain, kMsgCaptureHotKey, 44)},
        TKeyboardCase{"EntryReportsAnyCombinationToTheTarget", {{kF12, true}}, true,
                      Posted(kDialog, kMsgHotKeyEntry, 45)},
        TKeyboardCase{"EntryTakesPrecedenceOverCapture", {{kF11, true}}, true, Posted(kDialog, kMsgHotKeyEntry, 44)},
        TKeyboardCase{"EntryIgnoresKeysOutsideTheTable", {{'A', true}}, true, kPassed}),
    [](const testing::TestParamInfo<TKeyboardCase>& info) { return std::string(info.param.name); });

TEST(KeyboardFilterSeed, ModifiersHeldAtInstallCount) {
  THookShare share = FreshShare();
  share.HotKeyEnabled[46] = 1;  // Shift+F1
  kvexhk::TKeyboardFilter filter;
  filter.SetHeldModifierKeys(kvexhk::TKeyboardFilter::ModifierKeyBit(0xA1));  // right Shift
  EXPECT_EQ(filter.KeyEvent(share, 0x70, true), Posted(kMain, kMsgCaptureHotKey, 46));
}

struct TMouseStep {
  TMouseEvent event;
  std::int32_t x, y;
  TFilterResult expected;
  std::int32_t hook_mode_after;
};

struct TMouseCase {
  const char* name;
  std::int32_t hook_mode;
  std::vector<TMouseStep> steps;
};

class MouseFilter : public testing::TestWithParam<TMouseCase> {};

TEST_P(MouseFilter, ReportsTheSelection) {
  const TMouseCase& c = GetParam();
  THookShare share = FreshShare();
  share.HookMode = c.hook_mode;
  kvexhk::TMouseFilter filter;
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const TMouseStep& step = c.steps[i];
    EXPECT_EQ(filter.MouseEvent(share, step.event, step.x, step.y), step.expected) << "step " << i;
    EXPECT_EQ(share.HookMode, step.hook_mode_after) << "step " << i;
  }
}

TFilterResult Report(std::uint32_t message, std::int32_t x, std::int32_t y, bool swallow) {
  return TFilterResult{.swallow = swallow, .post = TPost{kMain, message, x, y}};
}

INSTANTIATE_TEST_SUITE_P(
    Selections, MouseFilter,
    testing::Values(
        TMouseCase{"IdleModePassesEverything",
                   1,
                   {{TMouseEvent::meMove, 5, 6, kPassed, 1},
                    {TMouseEvent::meLeftDown, 5, 6, kPassed, 1},
                    {TMouseEvent::meLeftUp, 5, 6, kPassed, 1},
                    {TMouseEvent::meRightDown, 5, 6, kPassed, 1},
                    {TMouseEvent::meRightUp, 5, 6, kPassed, 1}}},
        TMouseCase{"DragIsReportedAndEndsTheSelection",
                   2,
                   {{TMouseEvent::meMove, 10, 20, Report(kMsgMouseMoved, 10, 20, false), 2},
                    {TMouseEvent::meLeftDown, 11, 21, Report(kMsgLeftButtonDown, 11, 21, true), 2},
                    {TMouseEvent::meMove, 40, 50, Report(kMsgMouseDragged, 40, 50, false), 2},
                    {TMouseEvent::meLeftUp, 41, 51, Report(kMsgLeftButtonUp, 41, 51, true), 1},
                    {TMouseEvent::meMove, 60, 70, kPassed, 1}}},
        TMouseCase{"NegativeCoordinatesOfASecondMonitorKeepTheirSign",
                   2,
                   {{TMouseEvent::meMove, -300, -2, Report(kMsgMouseMoved, -300, -2, false), 2}}},
        TMouseCase{"RightClickTogglesWithoutEndingTheSelection",
                   2,
                   {{TMouseEvent::meRightDown, 1, 1, kSwallowed, 2},
                    {TMouseEvent::meRightUp, 1, 1, TFilterResult{.swallow = true, .post = TPost{kMain, kMsgRightClick, 0, 0}}, 2}}},
        TMouseCase{"ReleaseWithoutAReportedPressPasses", 2, {{TMouseEvent::meLeftUp, 3, 3, kPassed, 2}}},
        TMouseCase{"OtherButtonsPass", 2, {{TMouseEvent::meOther, 3, 3, kPassed, 2}}}),
    [](const testing::TestParamInfo<TMouseCase>& info) { return std::string(info.param.name); });

TEST(MouseFilterAbort, ReleaseAfterTheSelectionWasCalledOffIsSwallowedSilently) {
  THookShare share = FreshShare();
  share.HookMode = kHookModeSelecting;
  kvexhk::TMouseFilter filter;
  filter.MouseEvent(share, TMouseEvent::meLeftDown, 1, 1);
  share.HookMode = kHookModeIdle;  // the program aborted the capture
  EXPECT_EQ(filter.MouseEvent(share, TMouseEvent::meLeftUp, 2, 2), kSwallowed);
  EXPECT_EQ(filter.MouseEvent(share, TMouseEvent::meLeftUp, 2, 2), kPassed);
}

}  // namespace
