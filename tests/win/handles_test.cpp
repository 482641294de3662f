#include "platform/win32/handles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TSelectionCase {
  const char* name;
  UINT object_type;  // for GetCurrentObject
  std::function<HGDIOBJ(HDC)> create;
};

class SelectObjectRestores : public testing::TestWithParam<TSelectionCase> {};

TEST_P(SelectObjectRestores, ThePreviousSelectionOnLeavingTheScope) {
  const TSelectionCase& c = GetParam();
  win::TCreatedDC dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  HGDIOBJ original = GetCurrentObject(dc.Get(), c.object_type);
  HGDIOBJ object = c.create(dc.Get());
  ASSERT_NE(object, nullptr);
  {
    win::TSelectObject selection(dc.Get(), object);
    EXPECT_TRUE(selection);
    EXPECT_EQ(GetCurrentObject(dc.Get(), c.object_type), object);
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), c.object_type), original);
  // No longer selected, so it can be deleted.
  EXPECT_TRUE(DeleteObject(object));
}

INSTANTIATE_TEST_SUITE_P(
    GdiObjects, SelectObjectRestores,
    testing::Values(
        TSelectionCase{"Bitmap", OBJ_BITMAP, [](HDC dc) -> HGDIOBJ { return CreateCompatibleBitmap(dc, 4, 4); }},
        TSelectionCase{"Pen", OBJ_PEN, [](HDC) -> HGDIOBJ { return CreatePen(PS_DOT, 1, RGB(1, 2, 3)); }},
        TSelectionCase{"Brush", OBJ_BRUSH, [](HDC) -> HGDIOBJ { return CreateSolidBrush(RGB(9, 8, 7)); }},
        TSelectionCase{"Font", OBJ_FONT,
                       [](HDC) -> HGDIOBJ {
                         return CreateFontW(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
                       }}),
    [](const testing::TestParamInfo<TSelectionCase>& info) { return std::string(info.param.name); });

TEST(SelectObject, NestedSelectionsUnwindInOrder) {
  win::TCreatedDC dc(CreateCompatibleDC(nullptr));
  win::TPen first(CreatePen(PS_SOLID, 1, 0));
  win::TPen second(CreatePen(PS_SOLID, 2, 0));
  HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_PEN);
  {
    win::TSelectObject outer(dc.Get(), first.Get());
    {
      win::TSelectObject inner(dc.Get(), second.Get());
      EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), second.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), first.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original);
}

bool IsOpenHandle(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(UniqueHandle, ClosesOnceWhenResetMovedOrDestroyed) {
  HANDLE raw = CreateMutexW(nullptr, FALSE, nullptr);
  ASSERT_NE(raw, nullptr);
  {
    win::TMutex first(raw);
    win::TMutex second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.Get(), raw);
    EXPECT_TRUE(IsOpenHandle(raw));
  }
  EXPECT_FALSE(IsOpenHandle(raw));

  win::TMutex owner(CreateMutexW(nullptr, FALSE, nullptr));
  HANDLE kept = owner.Release();
  EXPECT_FALSE(owner);
  EXPECT_TRUE(IsOpenHandle(kept));
  owner.Reset(kept);
  owner.Reset();
  EXPECT_FALSE(IsOpenHandle(kept));
}

TEST(UniqueHandle, InvalidHandleValueIsNotOwned) {
  win::TKernelHandle file(CreateFileW(L"Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(file);
}

}  // namespace
