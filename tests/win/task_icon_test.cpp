#include "platform/win32/task_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder_window.h"

namespace {

struct TShellCall {
  DWORD action;
  NOTIFYICONDATAA record;
};

// Stands in for the shell: records every request and answers as told.
struct TFakeShell {
  std::vector<TShellCall> calls;
  bool accept = true;
  win::TTaskIcon::TShellNotify Notify() {
    return [this](DWORD action, const NOTIFYICONDATAA& record) {
      calls.push_back({action, record});
      return accept;
    };
  }
};

class TaskIconTest : public testing::Test {
 protected:
  TRecorderWindow owner;
  TFakeShell shell;
};

TEST_F(TaskIconTest, AddSendsTheFirstFormOfTheRecord) {
  win::TTaskIcon icon(owner.Handle(), shell.Notify());
  icon.SetTaskIconID(7);
  icon.SetToolTip(L"Grabwell 2000");
  icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
  ASSERT_TRUE(shell.calls.empty()) << "nothing goes to the shell while inactive";

  icon.SetActive(true);
  ASSERT_TRUE(icon.Active());
  ASSERT_EQ(shell.calls.size(), 1u);
  const NOTIFYICONDATAA& record = shell.calls[0].record;
  EXPECT_EQ(shell.calls[0].action, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(record.cbSize, sizeof(void*) == 4 ? 88u : 104u);
  EXPECT_EQ(record.hWnd, icon.Handle());
  EXPECT_NE(record.hWnd, owner.Handle());
  EXPECT_EQ(record.uID, 7u);
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 0x400u);
  EXPECT_EQ(record.hIcon, icon.Icon());
  EXPECT_NE(record.hIcon, nullptr);
  EXPECT_STREQ(record.szTip, "Grabwell 2000");

  icon.SetActive(true);
  EXPECT_EQ(shell.calls.size(), 1u) << "setting the same value does nothing";
}

TEST_F(TaskIconTest, ShellRefusalsLeaveTheStateAsItWas) {
  win::TTaskIcon icon(owner.Handle(), shell.Notify());
  shell.accept = false;
  icon.SetActive(true);
  EXPECT_FALSE(icon.Active());

  shell.accept = true;
  icon.SetActive(true);
  shell.accept = false;
  icon.SetActive(false);
  EXPECT_TRUE(icon.Active());
  shell.accept = true;
}

TEST_F(TaskIconTest, ToolTipIsCutTo63CharactersAndPushedWhileActive) {
  win::TTaskIcon icon(owner.Handle(), shell.Notify());
  icon.SetActive(true);
  const std::wstring seventy(70, L'x');
  icon.SetToolTip(seventy);
  EXPECT_EQ(icon.ToolTip(), std::wstring(63, L'x'));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].action, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(std::string(shell.calls[1].record.szTip), std::string(63, 'x'));

  icon.SetToolTip(seventy);  // cuts to the value already held
  EXPECT_EQ(shell.calls.size(), 2u);
}

TEST_F(TaskIconTest, IconIsCopiedAndPushedWhileActive) {
  win::TTaskIcon icon(owner.Handle(), shell.Notify());
  icon.SetActive(true);
  HICON stock = LoadIconW(nullptr, IDI_APPLICATION);
  icon.SetIcon(stock);
  EXPECT_NE(icon.Icon(), nullptr);
  EXPECT_NE(icon.Icon(), stock) << "the component keeps its own copy";
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].action, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(shell.calls[1].record.hIcon, icon.Icon());
}

TEST_F(TaskIconTest, DestroyingAnActiveIconDeletesTheAddedRecord) {
  {
    win::TTaskIcon icon(owner.Handle(), shell.Notify());
    icon.SetTaskIconID(3);
    icon.SetActive(true);
  }
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].action, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shell.calls[1].record.uID, 3u);
  EXPECT_EQ(shell.calls[1].record.hWnd, shell.calls[0].record.hWnd);
}

TEST_F(TaskIconTest, DestroyingTheOwnerWindowRemovesTheIcon) {
  auto parent = std::make_unique<TRecorderWindow>();
  win::TTaskIcon icon(parent->Handle(), shell.Notify());
  icon.SetActive(true);
  parent.reset();
  EXPECT_FALSE(icon.Active());
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].action, static_cast<DWORD>(NIM_DELETE));
}

TEST(TaskIconToolTip, NeverOverrunsTheRecord) {
  EXPECT_EQ(win::ToolTipBytes(L""), "");
  EXPECT_EQ(win::ToolTipBytes(std::wstring(200, L'a')).size(), 63u);
}

enum class TEvent { None, Click, DblClick, RightClick };

struct TNotificationCase {
  std::int32_t icon_id;
  INT_PTR wparam;
  UINT mouse_message;
  TEvent expected;
};

class TaskIconNotification : public testing::TestWithParam<TNotificationCase> {};

TEST_P(TaskIconNotification, DispatchesOnlyItsOwnReleasesAndDoubleClicks) {
  const TNotificationCase& c = GetParam();
  TRecorderWindow owner;
  TFakeShell shell;
  win::TTaskIcon icon(owner.Handle(), shell.Notify());
  icon.SetTaskIconID(c.icon_id);
  std::vector<TEvent> events;
  int x = -1, y = -1;
  icon.OnClick = [&](win::TTaskIcon& sender) {
    EXPECT_EQ(&sender, &icon);
    events.push_back(TEvent::Click);
  };
  icon.OnDblClick = [&](win::TTaskIcon&) { events.push_back(TEvent::DblClick); };
  icon.OnRightClick = [&](win::TTaskIcon&, win::TMouseButton button, win::TShiftState shift, int at_x, int at_y) {
    EXPECT_EQ(button, win::TMouseButton::mbRight);
    EXPECT_EQ(shift, 0);
    x = at_x;
    y = at_y;
    events.push_back(TEvent::RightClick);
  };
  SetCursorPos(120, 90);
  POINT cursor{};
  GetCursorPos(&cursor);

  SendMessageW(icon.Handle(), 0x400, static_cast<WPARAM>(c.wparam), c.mouse_message);

  if (c.expected == TEvent::None) {
    EXPECT_TRUE(events.empty());
  } else {
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], c.expected);
  }
  if (c.expected == TEvent::RightClick) {
    EXPECT_EQ(x, cursor.x);
    EXPECT_EQ(y, cursor.y);
  }
}

INSTANTIATE_TEST_SUITE_P(Messages, TaskIconNotification,
                         testing::Values(TNotificationCase{0, 0, WM_LBUTTONUP, TEvent::Click},
                                         TNotificationCase{0, 0, WM_LBUTTONDBLCLK, TEvent::DblClick},
                                         TNotificationCase{0, 0, WM_RBUTTONUP, TEvent::RightClick},
                                         TNotificationCase{5, 5, WM_RBUTTONUP, TEvent::RightClick},
                                         TNotificationCase{0, 1, WM_RBUTTONUP, TEvent::None},
                                         TNotificationCase{5, 0, WM_LBUTTONUP, TEvent::None},
                                         TNotificationCase{-1, -1, WM_RBUTTONUP, TEvent::None},
                                         TNotificationCase{0, 0, WM_MOUSEMOVE, TEvent::None},
                                         TNotificationCase{0, 0, WM_LBUTTONDOWN, TEvent::None},
                                         TNotificationCase{0, 0, WM_RBUTTONDOWN, TEvent::None},
                                         TNotificationCase{0, 0, WM_RBUTTONDBLCLK, TEvent::None},
                                         TNotificationCase{0, 0, WM_MBUTTONUP, TEvent::None}));

}  // namespace
