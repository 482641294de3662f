#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

#include "app/capture_kinds.h"
#include "app/capture_settings.h"
#include "app/settings_location.h"
#include "tests/app/scratch_profile.h"

namespace {

using namespace std::string_literals;

const char* const kPlainPrefixes[] = {"RoundRect", "RoundSquare", "Ellipse",  "Circle", "TriUp",
                                      "TriDown",   "TriLeft",     "TriRight", "Diamond"};

// The record a first run starts with, written out from the documented defaults.
TCaptureSettings DocumentedDefaults() {
  TCaptureSettings s;
  s.FirstTime = true;
  s.WhatToCap = wcScreen;
  s.Shape = 0;
  s.Action = daSaveBitmap;
  s.CaptureKey = 44;
  for (auto& shape : s.PlainShapes) shape = {16777215, 0, true};
  s.Star = {10, 56, 16777215, 0, true};
  s.Polygons = {{{12, 48, 198, 32896, 0, true},
                 {10, 19, 90, 4194432, 0, true},
                 {5, 38, 234, 8421440, 0, true},
                 {9, 50, 249, 16776960, 0, true},
                 {52, 22, 90, 0, 0, true}}};
  s.SMTPHost = "";
  s.SMTPPort = 25;
  s.EMailName = "";
  s.EMailAddress = "";
  s.AttachmentEncoding = 0;
  s.EMailFile = "capture.bmp";
  return s;
}

// Every field, one per line, so that a mismatch shows which field differs.
std::string Describe(const TCaptureSettings& s) {
  std::string text;
  const auto add = [&](const std::string& name, const auto& value) {
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
      text += name + "=\"" + value + "\"\n";
    } else {
      text += name + "=" + std::to_string(value) + "\n";
    }
  };
  add("FirstTime", s.FirstTime);
  add("WhatToCap", s.WhatToCap);
  add("Shape", s.Shape);
  add("Action", s.Action);
  add("CaptureKey", s.CaptureKey);
  for (std::size_t i = 0; i < s.PlainShapes.size(); ++i) {
    const std::string name = kPlainPrefixes[i];
    add(name + ".ShapeColor", s.PlainShapes[i].ShapeColor);
    add(name + ".BorderColor", s.PlainShapes[i].BorderColor);
    add(name + ".UseBorder", s.PlainShapes[i].UseBorder);
  }
  add("Star.Vector", s.Star.Vector);
  add("Star.VectorSize", s.Star.VectorSize);
  add("Star.ShapeColor", s.Star.ShapeColor);
  add("Star.BorderColor", s.Star.BorderColor);
  add("Star.UseBorder", s.Star.UseBorder);
  for (std::size_t i = 0; i < s.Polygons.size(); ++i) {
    const std::string name = "Poly" + std::to_string(i + 1);
    add(name + ".Vector", s.Polygons[i].Vector);
    add(name + ".VectorSize", s.Polygons[i].VectorSize);
    add(name + ".Angle", s.Polygons[i].Angle);
    add(name + ".Color", s.Polygons[i].Color);
    add(name + ".BorderColor", s.Polygons[i].BorderColor);
    add(name + ".UseBorder", s.Polygons[i].UseBorder);
  }
  add("SMTPHost", s.SMTPHost);
  add("SMTPPort", s.SMTPPort);
  add("EMailName", s.EMailName);
  add("EMailAddress", s.EMailAddress);
  add("AttachmentEncoding", s.AttachmentEncoding);
  add("EMailFile", s.EMailFile);
  add("LastToName", s.LastToName);
  add("LastToAddress", s.LastToAddress);
  add("LastSubject", s.LastSubject);
  add("LastMessage", s.LastMessage);
  return text;
}

TCaptureSettings Load(const TScratchProfile& scratch) {
  TCaptureSettings settings;
  settings.LastToName = "stale";
  settings.LastMessage = "stale";
  LoadSettings(*scratch.Open(), settings);
  return settings;
}

TEST(Settings, AbsentFileGivesEveryDefault) {
  TScratchProfile scratch;
  EXPECT_EQ(Describe(Load(scratch)), Describe(DocumentedDefaults()));
  EXPECT_FALSE(scratch.Exists());
}

TEST(Settings, EmptyFileGivesEveryDefault) {
  TScratchProfile scratch;
  scratch.Plant("\r\n");
  EXPECT_EQ(Describe(Load(scratch)), Describe(DocumentedDefaults()));
}

TEST(Settings, DamagedFileLoadsByTheTextRules) {
  const std::string host60(60, 'h');
  const std::string file300(300, 'f');
  TScratchProfile scratch;
  scratch.Plant("\x01\x02\x7fnot a settings file\0\0\0\r\n[[[\r\n"s +
                "[EMail]\r\n"
                "SMTP Host=" +
                host60 +
                "\r\n"
                "SMTP Port=25x\r\n"
                "EMail File=" +
                file300 +
                "\r\n"
                "EMail Name=\"  Jo Bloggs  \"\r\n"
                "[Misc]\r\n"
                "What To Cap=3junk\r\n"
                "Shape=abc\r\n"
                "Action=6\r\n"
                "First Time=1\r\n"
                "[Capture]\r\n"
                "Capture Key=-5x\r\n"
                "RoundRect Shape Color=0x1F\r\n"
                "RoundRect Border Color=$10\r\n"
                "RoundRect Use Border=no\r\n"
                "Ellipse Shape Color=  255\r\n"
                "Star Vector=123456789012345678\r\n"
                "Poly2 Angle=-25\r\n"
                "Poly3 Angle=\0garbage\r\n"s);
  TCaptureSettings expected = DocumentedDefaults();
  expected.SMTPHost = host60.substr(0, 50);
  expected.SMTPPort = 25;
  expected.EMailFile = file300.substr(0, 50);
  expected.EMailName = "  Jo Bloggs  ";
  expected.WhatToCap = wcRectangle;
  expected.Shape = 0;
  expected.Action = daEMail;
  expected.FirstTime = false;
  expected.CaptureKey = 5;
  expected.PlainShapes[0] = {31, 16, false};
  expected.PlainShapes[2].ShapeColor = 255;
  // Only the first 14 characters arrive; the eleventh digit would overflow.
  expected.Star.Vector = 1234567890;
  expected.Polygons[1].Angle = -25;
  expected.Polygons[2].Angle = 0;
  EXPECT_EQ(Describe(Load(scratch)), Describe(expected));
}

struct TRangeCase {
  const char* Line;
  const char* Section;
  std::int32_t TCaptureSettings::*Field;
  std::int32_t Expected;
};

class OutOfRangeValues : public ::testing::TestWithParam<TRangeCase> {};

TEST_P(OutOfRangeValues, AreKeptAsRead) {
  const TRangeCase& c = GetParam();
  TScratchProfile scratch;
  scratch.Plant("["s + c.Section + "]\r\n" + c.Line + "\r\n");
  EXPECT_EQ(Load(scratch).*c.Field, c.Expected) << c.Line;
}

INSTANTIATE_TEST_SUITE_P(
    Values, OutOfRangeValues,
    ::testing::Values(TRangeCase{"Capture Key=238", "Capture", &TCaptureSettings::CaptureKey, 238},
                      TRangeCase{"Capture Key=-1", "Capture", &TCaptureSettings::CaptureKey, -1},
                      TRangeCase{"Capture Key=237", "Capture", &TCaptureSettings::CaptureKey, 237},
                      TRangeCase{"What To Cap=5", "Misc", &TCaptureSettings::WhatToCap, 5},
                      TRangeCase{"What To Cap=-5x", "Misc", &TCaptureSettings::WhatToCap, 5},
                      TRangeCase{"Shape=2", "Misc", &TCaptureSettings::Shape, 2},
                      TRangeCase{"Shape=0x1F", "Misc", &TCaptureSettings::Shape, 31},
                      TRangeCase{"Action=7", "Misc", &TCaptureSettings::Action, 7},
                      TRangeCase{"Attachment Encoding=2", "EMail", &TCaptureSettings::AttachmentEncoding, 2},
                      TRangeCase{"Attachment Encoding=1", "EMail", &TCaptureSettings::AttachmentEncoding, 1},
                      TRangeCase{"SMTP Port=abc", "EMail", &TCaptureSettings::SMTPPort, 0}));

struct TBooleanCase {
  const char* Value;
  bool Expected;
};

class FirstTimeValues : public ::testing::TestWithParam<TBooleanCase> {};

TEST_P(FirstTimeValues, AreTrueOnlyForYes) {
  TScratchProfile scratch;
  scratch.Plant("[Misc]\r\nFirst Time="s + GetParam().Value + "\r\n");
  EXPECT_EQ(Load(scratch).FirstTime, GetParam().Expected) << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(Values, FirstTimeValues,
                         ::testing::Values(TBooleanCase{"yes", true}, TBooleanCase{"YES", true},
                                           TBooleanCase{"yEs", true}, TBooleanCase{"\"Yes\"", true},
                                           TBooleanCase{"1", false}, TBooleanCase{"True", false},
                                           TBooleanCase{"Y", false}, TBooleanCase{"", false}, TBooleanCase{"No", false},
                                           TBooleanCase{"Yes please", false}));

// The (section, key, value) triples of a saved file, in file order.
std::vector<std::string> KeyLines(const std::string& contents) {
  std::vector<std::string> lines;
  std::string section;
  std::string line;
  for (char c : contents + "\n") {
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    if (line.starts_with("[")) {
      section = line;
    } else if (!line.empty()) {
      lines.push_back(section + line);
    }
    line.clear();
  }
  return lines;
}

// Every key in the documented order, with the values of FilledSettings().
std::vector<std::string> DocumentedKeyLines() {
  std::vector<std::string> lines = {
      "[EMail]SMTP Host=smtp.example.org",
      "[EMail]EMail Name=Jo Bloggs",
      "[EMail]EMail Address=jo@example.org",
      "[EMail]SMTP Port=2525",
      "[EMail]Attachment Encoding=1",
      "[EMail]EMail File=shot.gif",
      "[Misc]What To Cap=4",
      "[Misc]Shape=14",
      "[Misc]Action=6",
      "[Misc]First Time=No",
      "[Capture]Capture Key=237",
  };
  int n = 0;
  for (const char* prefix : kPlainPrefixes) {
    lines.push_back("[Capture]"s + prefix + " Shape Color=" + std::to_string(1000 + n));
    lines.push_back("[Capture]"s + prefix + " Border Color=" + std::to_string(2000 + n));
    lines.push_back("[Capture]"s + prefix + " Use Border=" + (n % 2 ? "Yes" : "No"));
    ++n;
  }
  for (const char* line :
       {"Star Vector=7", "Star Vector Size=33", "Star Shape Color=-1", "Star Border Color=255", "Star Use Border=No"}) {
    lines.push_back("[Capture]"s + line);
  }
  for (int p = 1; p <= 5; ++p) {
    const std::string prefix = "[Capture]Poly" + std::to_string(p);
    lines.push_back(prefix + " Vector=" + std::to_string(3 + p));
    lines.push_back(prefix + " Vector Size=" + std::to_string(10 * p));
    lines.push_back(prefix + " Angle=" + std::to_string(300 + p));
    lines.push_back(prefix + " Color=" + std::to_string(4000 + p));
    lines.push_back(prefix + " Border Color=" + std::to_string(5000 + p));
    lines.push_back(prefix + " Use Border=" + (p == 3 ? "No" : "Yes"));
  }
  return lines;
}

TCaptureSettings FilledSettings() {
  TCaptureSettings s;
  s.FirstTime = false;
  s.WhatToCap = wcShape;
  s.Shape = skStar;
  s.Action = daEMail;
  s.CaptureKey = 237;
  for (int n = 0; n < 9; ++n) s.PlainShapes[n] = {1000 + n, 2000 + n, n % 2 == 1};
  s.Star = {7, 33, -1, 255, false};
  for (int p = 1; p <= 5; ++p) s.Polygons[p - 1] = {3 + p, 10 * p, 300 + p, 4000 + p, 5000 + p, p != 3};
  s.SMTPHost = "smtp.example.org";
  s.SMTPPort = 2525;
  s.EMailName = "Jo Bloggs";
  s.EMailAddress = "jo@example.org";
  s.AttachmentEncoding = 1;
  s.EMailFile = "shot.gif";
  s.LastToName = "Transient Name";
  s.LastToAddress = "transient@example.org";
  s.LastSubject = "Transient subject";
  s.LastMessage = "Transient message";
  return s;
}

TEST(Settings, SaveWritesEveryKeyInOrderWithYesNoAndDecimals) {
  TScratchProfile scratch;
  auto profile = scratch.Open();
  EXPECT_TRUE(SaveSettings(*profile, FilledSettings()));
  const std::string contents = scratch.Contents();
  EXPECT_EQ(KeyLines(contents), DocumentedKeyLines());
  EXPECT_EQ(contents.find("Transient"), std::string::npos) << "a transient field reached the file";
}

TEST(Settings, SavedRecordLoadsBackWithoutTheTransientFields) {
  TScratchProfile scratch;
  auto profile = scratch.Open();
  EXPECT_TRUE(SaveSettings(*profile, FilledSettings()));
  TCaptureSettings expected = FilledSettings();
  expected.LastToName.clear();
  expected.LastToAddress.clear();
  expected.LastSubject.clear();
  expected.LastMessage.clear();
  EXPECT_EQ(Describe(Load(scratch)), Describe(expected));
}

TEST(Settings, SavingOverAnOldFileReplacesValuesAndKeepsStrangers) {
  TScratchProfile scratch;
  scratch.Plant("[Misc]\r\nFirst Time=Yes\r\nNote=kept\r\n[Other]\r\nx=1\r\n[EMail]\r\nSMTP Host=" +
                std::string(60, 'h') + "\r\n");
  TCaptureSettings settings = Load(scratch);
  settings.FirstTime = false;  // as the main window does on the first run
  auto profile = scratch.Open();
  EXPECT_TRUE(SaveSettings(*profile, settings));
  const std::string contents = scratch.Contents();
  EXPECT_NE(contents.find("First Time=No"), std::string::npos);
  EXPECT_EQ(contents.find("First Time=Yes"), std::string::npos);
  EXPECT_NE(contents.find("Note=kept"), std::string::npos);
  EXPECT_NE(contents.find("[Other]"), std::string::npos);
  // The cut host name is what gets written back.
  EXPECT_NE(contents.find("SMTP Host=" + std::string(50, 'h') + "\r"), std::string::npos);
  EXPECT_EQ(profile->ReadString("EMail", "SMTP Host", "", 250), std::string(50, 'h'));
}

struct TStyleCase {
  TShapeKind Kind;
  TShapeStyle Expected;
};

// Every entry of FilledSettings() has its own numbers, so a kind reading the
// wrong entry shows.
class ShapeStyles : public ::testing::TestWithParam<TStyleCase> {};

TEST_P(ShapeStyles, ComeFromTheKindsOwnEntry) {
  const TShapeStyle style = ShapeStyleFor(FilledSettings(), GetParam().Kind);
  const TShapeStyle& expected = GetParam().Expected;
  EXPECT_EQ(style.HasMask, expected.HasMask);
  EXPECT_EQ(style.MaskColor, expected.MaskColor);
  EXPECT_EQ(style.UseBorder, expected.UseBorder);
  EXPECT_EQ(style.BorderColor, expected.BorderColor);
  EXPECT_EQ(style.Vectors, expected.Vectors);
  EXPECT_EQ(style.VectorSize, expected.VectorSize);
  EXPECT_EQ(style.Angle, expected.Angle);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ShapeStyles,
                         ::testing::Values(TStyleCase{skRectangle, {false, 0, false, 0}},
                                           TStyleCase{skSquare, {true, 0, false, 0}},
                                           TStyleCase{skRoundedRectangle, {true, 1000, false, 2000}},
                                           TStyleCase{skRoundedSquare, {true, 1001, true, 2001}},
                                           TStyleCase{skEllipse, {true, 1002, false, 2002}},
                                           TStyleCase{skCircle, {true, 1003, true, 2003}},
                                           TStyleCase{skTriangleUp, {true, 1004, false, 2004}},
                                           TStyleCase{skTriangleDown, {true, 1005, true, 2005}},
                                           TStyleCase{skTriangleLeft, {true, 1006, false, 2006}},
                                           TStyleCase{skTriangleRight, {true, 1007, true, 2007}},
                                           TStyleCase{skDiamond, {true, 1008, false, 2008}},
                                           TStyleCase{skStar, {true, -1, false, 255, 7, 33, 90}},
                                           TStyleCase{skPolygon1, {true, 4001, true, 5001, 4, 10, 301}},
                                           TStyleCase{skPolygon3, {true, 4003, false, 5003, 6, 30, 303}},
                                           TStyleCase{skPolygon5, {true, 4005, true, 5005, 8, 50, 305}}));

}  // namespace

namespace {

TEST(Settings, ProcessWideRecordUsesTheSettingsFileInTheWindowsDirectory) {
  const TScratchProfile scratch;  // natively: a private Windows directory
  const std::string path = PrivateProfilePath(kSettingsFileName);
  std::filesystem::remove(path);
  CaptureSettings = FilledSettings();
  EXPECT_TRUE(SaveSettings());
  EXPECT_TRUE(std::filesystem::exists(path));
  CaptureSettings = TCaptureSettings();
  LoadSettings();
  EXPECT_EQ(CaptureSettings.SMTPHost, "smtp.example.org");
  EXPECT_EQ(CaptureSettings.CaptureKey, 237);
  EXPECT_TRUE(CaptureSettings.LastMessage.empty());
  std::filesystem::remove(path);
}

}  // namespace

namespace {

// Which file is read at start and which one a save writes, by which files
// exist and whether the Windows directory's file can be written.
struct TPlaceCase {
  const char* name;
  TSettingsFilesFound found;
  bool windowsDirWritable;
  TSettingsPlace read;
  TSettingsPlace written;
};

constexpr auto kWindows = TSettingsPlace::spWindowsDir;
constexpr auto kPerUser = TSettingsPlace::spPerUser;
constexpr auto kVirtual = TSettingsPlace::spVirtualStore;

TEST(SettingsLocation, ChoosesTheFileReadAndTheFileWritten) {
  const TPlaceCase cases[] = {
      {"first run, administrator", {false, false, false}, true, kWindows, kWindows},
      {"first run, standard user", {false, false, false}, false, kWindows, kPerUser},
      {"kept in the Windows directory", {false, true, false}, true, kWindows, kWindows},
      {"installed read-only in the Windows directory", {false, true, false}, false, kWindows, kPerUser},
      {"the user's own file", {true, false, false}, false, kPerUser, kPerUser},
      {"the user's own file beside a writable shared one", {true, true, false}, true, kPerUser, kPerUser},
      {"earlier runs virtualised", {false, false, true}, false, kVirtual, kPerUser},
      {"virtualised copy, but a shared file exists", {false, true, true}, true, kWindows, kWindows},
      {"virtualised copy and the user's own file", {true, false, true}, false, kPerUser, kPerUser},
  };
  for (const TPlaceCase& c : cases) {
    const TSettingsPlace read = SettingsPlaceToRead(c.found);
    EXPECT_EQ(read, c.read) << c.name;
    EXPECT_EQ(SettingsPlaceToWrite(read, c.windowsDirWritable), c.written) << c.name;
  }
}

TEST(SettingsLocation, PathsOfTheThreeFiles) {
  const TSettingsPaths paths =
      SettingsPathsFor("C:\\WINDOWS", "C:\\Users\\ann\\AppData\\Roaming", "C:\\Users\\ann\\AppData\\Local");
  EXPECT_EQ(paths.Of(kWindows), "C:\\WINDOWS\\GRBWEL.INI");
  EXPECT_EQ(paths.Of(kPerUser), "C:\\Users\\ann\\AppData\\Roaming\\Grabwell 2000\\GRBWEL.INI");
  EXPECT_EQ(paths.Of(kVirtual), "C:\\Users\\ann\\AppData\\Local\\VirtualStore\\WINDOWS\\GRBWEL.INI");
}

}  // namespace
