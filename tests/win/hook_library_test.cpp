// Drives KVEXHK.DLL with synthesized input and checks what reaches the
// windows named in the shared block.
#include "hook/win/kvexhk.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "hook/hook_messages.h"
#include "hook/hook_share.h"
#include "platform/win32/handles.h"
#include "recorder_window.h"

namespace {

using namespace std::chrono_literals;

constexpr WORD kF11 = VK_F11, kF12 = VK_F12;

class HookLibrary : public testing::Test {
 protected:
  void SetUp() override {
    mapping_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHookShareSize, kHookShareName));
    ASSERT_TRUE(mapping_);
    view_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_TRUE(view_);
    share_ = static_cast<THookShare*>(view_.Get());
    std::memset(share_, 0, sizeof(THookShare));
    share_->MainWindowHandle = Field(main_.Handle());
    share_->HotKeyTargetWindow = Field(main_.Handle());
    share_->HookMode = kHookModeIdle;
    share_->HotKeyEnabled[kDefaultHotKey] = 1;
    share_->KeyboardHookHandle = CapHookKeyboard();
    share_->MouseHookHandle = CapHookMouse();
    ASSERT_NE(share_->KeyboardHookHandle, 0u);
    ASSERT_NE(share_->MouseHookHandle, 0u);
    // A fresh Wine session can drop or hold back the first synthetic key of
    // a process: send one that no combination uses (F13) and let it pass
    // before the test's own input.
    Tap(VK_F13);
    PumpMessagesFor(std::chrono::milliseconds(500));
    main_.Messages.clear();
  }

  void TearDown() override {
    if (share_ == nullptr) return;
    EXPECT_EQ(CapUnHook(share_->KeyboardHookHandle), 1);
    EXPECT_EQ(CapUnHook(share_->MouseHookHandle), 1);
  }

  static std::uint32_t Field(HWND window) { return HandleToField(reinterpret_cast<std::uintptr_t>(window)); }

  static void Tap(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
  }

  static void Mouse(DWORD flags, int x = 0, int y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
      // Normalised coordinates: 0..65535 across the primary screen.
      input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
      input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    SendInput(1, &input, sizeof(INPUT));
  }

  static std::vector<UINT> MessagesOf(const TRecorderWindow& window) {
    std::vector<UINT> ids;
    for (const auto& m : window.Messages) ids.push_back(m.message);
    return ids;
  }

  TRecorderWindow main_;
  win::TFileMapping mapping_;
  win::TMappedView view_;
  THookShare* share_ = nullptr;
};

TEST_F(HookLibrary, EnabledHotKeyPostsItsNumberToTheMainWindow) {
  Tap(kF11);
  ASSERT_TRUE(PumpMessagesUntil([&] { return !main_.Messages.empty(); }, 10s));
  PumpMessagesFor(100ms);
  ASSERT_EQ(main_.Messages.size(), 1u);
  EXPECT_EQ(main_.Messages[0], (TRecordedMessage{kMsgCaptureHotKey, 44, 0}));
}

TEST_F(HookLibrary, CombinationThatIsNotSwitchedOnPostsNothing) {
  Tap(kF12);
  PumpMessagesFor(300ms);
  EXPECT_TRUE(main_.Messages.empty());
}

TEST_F(HookLibrary, EntryFieldReceivesEveryCombination) {
  TRecorderWindow dialog;
  share_->HotKeyTargetWindow = Field(dialog.Handle());
  share_->HotKeyEntryActive = 1;
  Tap(kF12);
  ASSERT_TRUE(PumpMessagesUntil([&] { return !dialog.Messages.empty(); }));
  EXPECT_EQ(dialog.Messages[0], (TRecordedMessage{kMsgHotKeyEntry, 45, 0}));
  EXPECT_TRUE(main_.Messages.empty());

  share_->HotKeyEntryActive = 0;
  Tap(kF12);
  PumpMessagesFor(300ms);
  EXPECT_EQ(dialog.Messages.size(), 1u) << "nothing once the field has lost the focus";
}

TEST_F(HookLibrary, SelectionIsReportedAndReturnsToIdleAfterTheRelease) {
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 100, 100);
  PumpMessagesFor(100ms);
  EXPECT_TRUE(main_.Messages.empty()) << "nothing is reported while idle";

  share_->HookMode = kHookModeSelecting;
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 120, 130);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 200, 210);
  Mouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpMessagesUntil([&] { return main_.Messages.size() >= 4; }));
  PumpMessagesFor(100ms);
  EXPECT_EQ(MessagesOf(main_),
            (std::vector<UINT>{kMsgMouseMoved, kMsgLeftButtonDown, kMsgMouseDragged, kMsgLeftButtonUp}));
  EXPECT_EQ(share_->HookMode, kHookModeIdle);
  if (main_.Messages.size() == 4) {
    EXPECT_EQ(main_.Messages[0].wparam, 120);
    EXPECT_EQ(main_.Messages[0].lparam, 130);
    EXPECT_EQ(main_.Messages[1].wparam, 120);
    EXPECT_EQ(main_.Messages[2].wparam, 200);
    EXPECT_EQ(main_.Messages[2].lparam, 210);
    EXPECT_EQ(main_.Messages[3].wparam, 200);
    EXPECT_EQ(main_.Messages[3].lparam, 210);
  }

  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 300, 300);
  PumpMessagesFor(100ms);
  EXPECT_EQ(main_.Messages.size(), 4u) << "no report after the release";
}

TEST_F(HookLibrary, RightClickDuringASelection) {
  share_->HookMode = kHookModeSelecting;
  Mouse(MOUSEEVENTF_RIGHTDOWN);
  Mouse(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(PumpMessagesUntil([&] { return !main_.Messages.empty(); }));
  EXPECT_EQ(main_.Messages[0], (TRecordedMessage{kMsgRightClick, 0, 0}));
  EXPECT_EQ(share_->HookMode, kHookModeSelecting);
}

TEST(HookLibraryUnhook, RefusesAZeroHook) { EXPECT_EQ(CapUnHook(0), 0); }

}  // namespace
