#include <gtest/gtest.h>

#include "app/capture_kinds.h"
#include "app/program_dir.h"

namespace {

struct TDirCase {
  const char* ExePath;
  const char* ProgramDir;
};

class ProgramDirs : public ::testing::TestWithParam<TDirCase> {};

TEST_P(ProgramDirs, AreTheDirectoryWithoutItsTrailingBackslash) {
  EXPECT_EQ(ProgramDirOf(GetParam().ExePath), GetParam().ProgramDir);
}

INSTANTIATE_TEST_SUITE_P(Paths, ProgramDirs,
                         ::testing::Values(TDirCase{"C:\\GRBWEL.EXE", "C:"},
                                           TDirCase{"C:\\Program Files\\Grabwell\\GRBWEL.EXE",
                                                    "C:\\Program Files\\Grabwell"},
                                           TDirCase{"\\\\server\\share\\GRBWEL.EXE", "\\\\server\\share"},
                                           TDirCase{"C:GRBWEL.EXE", "C:"}, TDirCase{"GRBWEL.EXE", ""},
                                           // Only one backslash goes.
                                           TDirCase{"C:\\Tools\\\\GRBWEL.EXE", "C:\\Tools\\"}));

TEST(ProgramDir, LongPathsAreKeptWhole) {
  const std::string folder = "D:\\" + std::string(300, 'd');
  EXPECT_EQ(ProgramDirOf(folder + "\\GRBWEL.EXE"), folder);
}

TEST(ProgramDir, HelpFileSitsBesideTheProgram) {
  EXPECT_EQ(HelpFilePath("C:"), "C:\\GRBWEL.HLP");
  EXPECT_EQ(HelpFilePath("C:\\Program Files\\Grabwell"), "C:\\Program Files\\Grabwell\\GRBWEL.HLP");
}

TEST(CaptureKinds, ActionNamesInActionOrder) {
  const std::pair<TDefaultAction, const char*> expected[] = {
      {daSaveBitmap, "Save As Bitmap"},
      {daSaveGIF, "Save As GIF"},
      {daSaveJPEG, "Save As JPEG"},
      {daPrintPixels, "Print In Pixels"},
      {daPrintFull, "Print Full Page or % of Size"},
      {daCopyToClipboard, "Copy To Clipboard"},
      {daEMail, "E-Mail The Image"},
  };
  for (const auto& [action, name] : expected) {
    EXPECT_EQ(ActionNames.at(action), name);
    EXPECT_LE(ActionNames.at(action).size(), 30u);
  }
  EXPECT_FALSE(IsDefaultAction(7));
  EXPECT_FALSE(IsWhatToCap(5));
  EXPECT_TRUE(IsWhatToCap(wcShape));
}

}  // namespace
