// This test program carries the program's own resource script, so reading
// its own executable reads the same version resource as GRBWEL.EXE's.
#include "platform/win32/version_resource.h"

#include "platform/win32/executable_path.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr wchar_t kTable[] = L"\\StringFileInfo\\040904E4\\";

struct TKeyCase {
  const wchar_t* key;
  const wchar_t* value;
};

class OwnVersionResource : public testing::TestWithParam<TKeyCase> {};

TEST_P(OwnVersionResource, HoldsTheStandardStrings) {
  win::TVersionResource resource;
  ASSERT_TRUE(resource.Read(win::ExecutablePath()));
  auto value = resource.StringValue(std::wstring(kTable) + GetParam().key);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Keys, OwnVersionResource,
                         testing::Values(TKeyCase{L"ProductName", L"Grabwell 2000"},
                                         TKeyCase{L"FileVersion", L"1.1.0.0"},
                                         TKeyCase{L"OriginalFilename", L"GRBWEL.EXE"},
                                         TKeyCase{L"InternalName", L"GRBWEL"}));

TEST(VersionResource, EveryStandardKeyIsPresent) {
  win::TVersionResource resource;
  ASSERT_TRUE(resource.Read(win::ExecutablePath()));
  for (const wchar_t* key : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
                             L"LegalTradeMarks", L"OriginalFilename", L"ProductName", L"ProductVersion", L"Comments"}) {
    auto value = resource.StringValue(std::wstring(kTable) + key);
    ASSERT_TRUE(value.has_value()) << "missing";
    EXPECT_FALSE(value->empty());
  }
  EXPECT_FALSE(resource.StringValue(std::wstring(kTable) + L"NoSuchKey").has_value());
  EXPECT_FALSE(resource.StringValue(L"\\StringFileInfo\\040704B0\\ProductName").has_value()) << "another table";
}

TEST(VersionResource, AFileWithoutOneHoldsNothing) {
  win::TVersionResource resource;
  ASSERT_TRUE(resource.Read(win::ExecutablePath()));
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + L"grabwell-version-test.txt";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "text", 4, &written, nullptr);
  CloseHandle(file);

  EXPECT_FALSE(resource.Read(path));
  EXPECT_EQ(resource.Size(), 0u);
  EXPECT_FALSE(resource.StringValue(std::wstring(kTable) + L"ProductName").has_value());
  DeleteFileW(path.c_str());

  EXPECT_FALSE(resource.Read(L"Z:\\no\\such\\program.exe"));
}

}  // namespace
