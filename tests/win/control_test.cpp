#include "platform/win32/control.h"

#include <gtest/gtest.h>

#include <memory>

#include "recorder_window.h"

namespace {

class ControlTest : public testing::Test {
 protected:
  TRecorderWindow form;
};

TEST_F(ControlTest, ClickReachesTheButtonsHandler) {
  win::TButton button(form.Handle(), L"&Capture", BS_PUSHBUTTON, {392, 56, 65, 25}, 10);
  ASSERT_NE(button.Handle(), nullptr);
  EXPECT_EQ(GetParent(button.Handle()), form.Handle());
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, CaptionEnabledStateAndCheck) {
  win::TButton radio(form.Handle(), L"Capture &Screen", BS_AUTORADIOBUTTON, {8, 8, 200, 20}, 11);
  EXPECT_EQ(radio.Caption(), L"Capture &Screen");
  radio.SetCaption(L"&Done");
  EXPECT_EQ(radio.Caption(), L"&Done");
  EXPECT_TRUE(radio.Enabled());
  radio.SetEnabled(false);
  EXPECT_FALSE(radio.Enabled());
  EXPECT_FALSE(radio.Checked());
  radio.SetChecked(true);
  EXPECT_TRUE(radio.Checked());
}

TEST_F(ControlTest, CommandsFromOtherWindowsAreNotTakenForControls) {
  EXPECT_FALSE(win::TControl::Dispatch(MAKEWPARAM(5, 0), 0)) << "a menu command";
  EXPECT_FALSE(win::TControl::Dispatch(MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(form.Handle())));
  auto button = std::make_unique<win::TButton>(form.Handle(), L"x", BS_PUSHBUTTON, win::TBounds{0, 0, 10, 10}, 12);
  HWND handle = button->Handle();
  button.reset();
  EXPECT_FALSE(win::TControl::Dispatch(MAKEWPARAM(12, BN_CLICKED), reinterpret_cast<LPARAM>(handle)));
}

}  // namespace
