#include "platform/win32/control.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/form.h"
#include "platform/win32/page_control.h"
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

// A form designed at 96 DPI like the program's dialogs: a button with its
// font, a panel (a window of ours) and a page control whose pages lie over
// its display area.
class TDesignedForm : public win::TForm {
 public:
  TDesignedForm() {
    static const win::TWindowClass form_class(win::TWindow::ClassDescription(L"GrabwellTestDesignedForm"));
    CreateFormForClient(nullptr, form_class.Name(), L"Designed", WS_POPUP | WS_CAPTION, 248, 462);
    Button = &Own(std::make_unique<win::TButton>(Handle(), L"&Ok", BS_PUSHBUTTON, win::TBounds{60, 412, 57, 21}, 1),
                  Font({L"Arial", 13}));
    Pages = std::make_unique<win::TPageControl>(Handle(), win::TBounds{4, 4, 233, 405},
                                                std::vector<std::wstring>{L"&One", L"&Two"});
    Panel = std::make_unique<win::TPanel>(Pages->Page(0), win::TBounds{-4, 8, 21, 11});
  }
  win::TButton* Button = nullptr;
  std::unique_ptr<win::TPageControl> Pages;
  std::unique_ptr<win::TPanel> Panel;
};

using TCorners = std::array<LONG, 4>;  // left, top, right, bottom
TCorners Corners(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// A child's rectangle in its form's client coordinates.
TCorners PlaceIn(HWND form, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
  return Corners(rect);
}

LONG FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// Wine never changes a window's DPI; the system's message is sent by hand,
// as Windows sends it when the window moves to a monitor of 144 DPI.
TEST(DesignedForm, ADpiChangeTakesTheSuggestedRectangleAndLaysOutAgainWithNewFonts) {
  TDesignedForm form;
  ASSERT_EQ(win::DpiOf(form.Handle()), 96) << "the test prefix runs at 96 DPI";
  RECT page_before{};
  GetWindowRect(form.Pages->Page(0), &page_before);

  RECT suggested{40, 30, 40 + 380, 30 + 720};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT frame{};
  GetWindowRect(form.Handle(), &frame);
  EXPECT_EQ(Corners(frame), Corners(suggested));
  // 60, 412, 57 x 21 at 1.5 times, halves rounded up; Arial 13 is 19.5.
  EXPECT_EQ(PlaceIn(form.Handle(), form.Button->Handle()), (TCorners{90, 618, 90 + 86, 618 + 32}));
  EXPECT_EQ(FontHeight(form.Button->Handle()), -20) << "a font made again for the new DPI";
  EXPECT_EQ(PlaceIn(form.Handle(), form.Pages->Handle()), (TCorners{6, 6, 6 + 350, 6 + 608}));
  EXPECT_EQ(PlaceIn(form.Pages->Page(0), form.Panel->Handle()), (TCorners{-6, 12, -6 + 32, 12 + 17}));
  // The pages follow the page control, inside it and as much larger.
  const auto [left, top, right, bottom] = PlaceIn(form.Handle(), form.Pages->Page(0));
  EXPECT_TRUE(left > 6 && right < 6 + 350 && bottom < 6 + 608);
  EXPECT_GT(bottom - top, (page_before.bottom - page_before.top) * 14 / 10);
}

}  // namespace
