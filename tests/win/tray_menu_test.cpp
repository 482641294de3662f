#include "app/win/tray_menu.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct TItem {
  std::wstring caption;  // empty: a separator
  bool enabled;
  UINT command;
};

std::vector<TItem> Items(HMENU menu) {
  std::vector<TItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[100]{};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 100, MF_BYPOSITION);
    UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    UINT id = GetMenuItemID(menu, i);
    items.push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0, id});
  }
  return items;
}

TEST(TrayMenu, HoldsEveryItemInOrder) {
  win::TPopupMenu menu = BuildTrayMenu();
  std::vector<TItem> items = Items(menu.Handle());
  const std::vector<std::wstring> captions{L"Capt&ure Image",
                                           L"&Open Image",
                                           L"&Configure",
                                           L"Too&ls",
                                           L"&Help",
                                           L"&About",
                                           L"",
                                           L"Grab&well Web Site",
                                           L"&Update Grabwell",
                                           L"",
                                           L"&Terminate Grabwell"};
  ASSERT_EQ(items.size(), captions.size());
  for (std::size_t i = 0; i < captions.size(); ++i) EXPECT_EQ(items[i].caption, captions[i]) << "item " << i;
  EXPECT_EQ(GetMenuState(menu.Handle(), 6, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuState(menu.Handle(), 9, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

TEST(TrayMenu, ToolsHoldsTheRestoreItem) {
  win::TPopupMenu menu = BuildTrayMenu();
  HMENU tools = GetSubMenu(menu.Handle(), 3);
  ASSERT_NE(tools, nullptr);
  std::vector<TItem> items = Items(tools);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].caption, L"&Restore Keyboard and Mouse Hooks");
  EXPECT_TRUE(items[0].enabled);
  EXPECT_EQ(items[0].command, static_cast<UINT>(tcRestoreHooks));
}

struct TStateCase {
  int position;
  UINT command;
  bool enabled;
};

class TrayMenuItemState : public testing::TestWithParam<TStateCase> {};

TEST_P(TrayMenuItemState, CommandAndAvailability) {
  win::TPopupMenu menu = BuildTrayMenu();
  std::vector<TItem> items = Items(menu.Handle());
  const TItem& item = items.at(static_cast<std::size_t>(GetParam().position));
  EXPECT_EQ(item.command, GetParam().command);
  EXPECT_EQ(item.enabled, GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Items, TrayMenuItemState,
                         testing::Values(TStateCase{0, tcCaptureImage, true}, TStateCase{1, tcOpenImage, true},
                                         TStateCase{2, tcConfigure, true}, TStateCase{4, tcHelp, true},
                                         TStateCase{5, tcAbout, true}, TStateCase{7, tcWebSite, true},
                                         TStateCase{8, tcUpdate, true}, TStateCase{10, tcTerminate, true}));

}  // namespace
