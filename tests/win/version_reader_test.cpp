// This test program carries the program's resource script, so its own
// executable has GRBWEL.EXE's version resource.
#include "app/win/version_reader.h"

#include <gtest/gtest.h>

#include "app/web_pages.h"
#include "platform/win32/executable_path.h"

namespace {

TEST(VersionReader, ReadsTheProgramsOwnResource) {
  TVersionInfo info;
  ReadVersionInfo(info, win::ExecutablePath());
  EXPECT_EQ(info.ProductName(), "Grabwell 2000");
  EXPECT_EQ(info.Strings().FileVersion, "1.1.0.0");
  EXPECT_EQ(info.Strings().OriginalFilename, "GRBWEL.EXE");
  EXPECT_EQ(info.Major(), "1");
  EXPECT_EQ(info.Minor(), "1");
  EXPECT_EQ(info.VersionLabel(), " v 1.1");
  EXPECT_EQ(UpdatePageName(info.VersionLabel()), "v1_1.htm");
  for (const TVersionStringKey& key : kVersionStringKeys) {
    EXPECT_FALSE((info.Strings().*key.Field).empty()) << key.Name;
  }
}

TEST(VersionReader, AFileWithoutVersionInformationKeepsWhatWasRead) {
  TVersionInfo info;
  ReadVersionInfo(info, win::ExecutablePath());
  ReadVersionInfo(info, L"Z:\\no\\such\\program.exe");
  EXPECT_EQ(info.ProductName(), "Grabwell 2000");
  TVersionInfo fresh;
  ReadVersionInfo(fresh, L"Z:\\no\\such\\program.exe");
  EXPECT_EQ(fresh.ProductName(), "");
  EXPECT_EQ(fresh.VersionLabel(), "");
}

}  // namespace
