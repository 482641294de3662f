#include "app/win/main_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/capture_settings.h"
#include "hook/hook_messages.h"
#include "hook/win/kvexhk.h"
#include "recorder_window.h"

namespace {

using namespace std::chrono_literals;

class MainWinTest : public testing::Test {
 protected:
  MainWinTest() {
    std::memset(&share, 0, sizeof(share));
    settings.FirstTime = true;
    settings.CaptureKey = 120;  // Ctrl+Alt+F3
  }

  TMainWin::TContext Context() {
    return TMainWin::TContext{.Share = share,
                              .Settings = settings,
                              .SaveSettings = [this] { ++saves; },
                              .TrayShell =
                                  [this](DWORD action, const NOTIFYICONDATAA& record) {
                                    tray_actions.push_back(action);
                                    tray_tips.emplace_back(record.szTip);
                                    return true;
                                  }};
  }

  // Closing the main window ends the message loop: take the quit request
  // out of the queue again so that it does not leak into other tests.
  static bool TakeQuitMessage() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  }

  THookShare share;
  TCaptureSettings settings;
  int saves = 0;
  std::vector<DWORD> tray_actions;
  std::vector<std::string> tray_tips;
};

TEST_F(MainWinTest, CreationFillsTheSharedBlockAndInstallsTheHooks) {
  TMainWin main(Context());
  ASSERT_NE(main.Handle(), nullptr);
  const auto self = HandleToField(reinterpret_cast<std::uintptr_t>(main.Handle()));
  EXPECT_EQ(share.MainWindowHandle, self);
  EXPECT_EQ(share.HotKeyTargetWindow, self);
  EXPECT_EQ(share.HookMode, kHookModeIdle);
  EXPECT_EQ(share.HotKeyEntryActive, 0);
  for (int n = 0; n < kHotKeyCount; ++n) EXPECT_EQ(share.HotKeyEnabled[n], n == 120 ? 1 : 0) << "hot key " << n;
  EXPECT_NE(share.KeyboardHookHandle, 0u);
  EXPECT_NE(share.MouseHookHandle, 0u);
  EXPECT_FALSE(settings.FirstTime);
  EXPECT_EQ(saves, 0);
  SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
  TakeQuitMessage();
}

TEST_F(MainWinTest, WindowIsHiddenWithItsCaptionAndFixedBorder) {
  TMainWin main(Context());
  EXPECT_FALSE(IsWindowVisible(main.Handle()));
  wchar_t caption[64]{};
  GetWindowTextW(main.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Grabwell 2000");
  LONG_PTR style = GetWindowLongPtrW(main.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(style & WS_CAPTION, 0);
  RECT client{};
  GetClientRect(main.Handle(), &client);
  EXPECT_EQ(client.right, 480);
  EXPECT_EQ(client.bottom, 231 - 76);
  RECT frame{};
  GetWindowRect(main.Handle(), &frame);
  EXPECT_EQ(frame.left, 362);
  EXPECT_EQ(frame.top, 138);

  ASSERT_NE(main.TaskIcon(), nullptr);
  EXPECT_EQ(main.TaskIcon()->ToolTip(), L"Grabwell 2000");
  EXPECT_EQ(main.TaskIcon()->TaskIconID(), 0);
  EXPECT_NE(main.TaskIcon()->Icon(), nullptr);
  EXPECT_TRUE(main.TaskIcon()->Active());
  ASSERT_EQ(tray_actions, std::vector<DWORD>{NIM_ADD});
  EXPECT_EQ(tray_tips[0], "Grabwell 2000");
  SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
  TakeQuitMessage();
}

TEST_F(MainWinTest, CloseSavesRemovesTheHooksAndEndsTheLoop) {
  auto main = std::make_unique<TMainWin>(Context());
  const std::uint32_t keyboard = share.KeyboardHookHandle;
  const std::uint32_t mouse = share.MouseHookHandle;
  SendMessageW(main->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(main->Handle(), nullptr) << "closing destroys the window";
  EXPECT_EQ(tray_actions, (std::vector<DWORD>{NIM_ADD, NIM_DELETE})) << "the icon leaves the notification area";
  EXPECT_TRUE(TakeQuitMessage());
  // Both hooks are gone already: removing them again fails.
  EXPECT_EQ(CapUnHook(keyboard), 0);
  EXPECT_EQ(CapUnHook(mouse), 0);
}

TEST_F(MainWinTest, ReHookTimerReinstallsBothHooksOnce) {
  TMainWin main(Context());
  const std::uint32_t keyboard = share.KeyboardHookHandle;
  const std::uint32_t mouse = share.MouseHookHandle;
  SendMessageW(main.Handle(), WM_TIMER, 1, 0);
  EXPECT_NE(share.KeyboardHookHandle, 0u);
  EXPECT_NE(share.MouseHookHandle, 0u);
  EXPECT_EQ(CapUnHook(keyboard), 0) << "the first keyboard hook was removed";
  EXPECT_EQ(CapUnHook(mouse), 0) << "the first mouse hook was removed";
  SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
  TakeQuitMessage();
}

TEST_F(MainWinTest, SetSecWindRedirectsTheHotKeyEntry) {
  TMainWin main(Context());
  TRecorderWindow dialog;
  main.SetSecWind(dialog.Handle(), true);
  EXPECT_EQ(share.HotKeyTargetWindow, HandleToField(reinterpret_cast<std::uintptr_t>(dialog.Handle())));
  EXPECT_EQ(share.HotKeyEntryActive, 1);
  main.SetSecWind(dialog.Handle(), false);
  EXPECT_EQ(share.HotKeyEntryActive, 0);
  SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
  TakeQuitMessage();
}

TEST_F(MainWinTest, OnlyTheCaptureKeyBringsUpTheCaptureFace) {
  TMainWin main(Context());
  // A former hot key whose switch is still on: turned away.
  SendMessageW(main.Handle(), kMsgCaptureHotKey, 44, 0);
  EXPECT_FALSE(IsWindowVisible(main.Handle()));
  SendMessageW(main.Handle(), kMsgCaptureHotKey, 120, 0);
  EXPECT_TRUE(IsWindowVisible(main.Handle()));
  SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
  TakeQuitMessage();
}

TEST_F(MainWinTest, ReadsItsVersionInformationFromTheExecutable) {
  TMainWin main(Context());
  EXPECT_EQ(main.VersionInfo.ProductName(), "Grabwell 2000");
  SendMessageW(main.Handle(), WM_CLOSE, 0, 0);
  TakeQuitMessage();
}

TEST(RestoreHooksQuestion, NamesTheProductInEveryPlace) {
  EXPECT_EQ(RestoreHooksQuestion(L"Grabwell 2000"),
            L"It is possible for other programs which are run after Grabwell 2000 to improperly install themselves "
            L"into the system wide Windows keyboard and mouse hooks. If the keyboard hooks are fouled up, Grabwell "
            L"2000 will no longer be able to monitor keystrokes and capture activation Hot Key will no longer work. "
            L"In the event that the mouse hooks are fouled up, Grabwell 2000 will no longer be able to capture areas "
            L"and shapes using the mouse.  This option will reinstall the Windows keyboard and mouse hooks used by "
            L"Grabwell 2000 so that Grabwell 2000 will have the first look at the keystrokes and mouse and will be "
            L"able to monitor the keystrokes and mouse again.  Continue?");
}

}  // namespace
