// Which settings file is read and which is written. The file has always
// lived in the Windows directory, shared by all users; where this user cannot
// write there (a standard user since Vista), the whole record goes to a
// file of the user's own instead, which is then read from there on.
#pragma once

#include <string>
#include <string_view>

enum class TSettingsPlace {
  spWindowsDir,    // "GRBWEL.INI" in the Windows directory
  spPerUser,       // the user's own "<APPDATA>\Grabwell 2000\GRBWEL.INI"
  spVirtualStore,  // the copy the system kept for a program without a manifest
};

// The per-user folder's name under the user's application data.
inline constexpr std::string_view kPerUserSettingsFolder = "Grabwell 2000";

struct TSettingsFilesFound {
  bool PerUser = false;
  bool WindowsDir = false;
  bool VirtualStore = false;
};

// The user's own file when there is one; else the Windows directory's, also
// when there is none at all (a first run); else the copy the system
// virtualised for earlier runs of a program without a manifest.
TSettingsPlace SettingsPlaceToRead(const TSettingsFilesFound& found);

// The file that was read, when it can be written; otherwise the user's own.
// A virtualised copy is never written back.
TSettingsPlace SettingsPlaceToWrite(TSettingsPlace read, bool windowsDirWritable);

struct TSettingsPaths {
  std::string WindowsDir;
  std::string PerUser;
  std::string VirtualStore;

  const std::string& Of(TSettingsPlace place) const;
};

// The three files from the Windows directory, the user's roaming and local
// application data folders (no trailing backslashes). The virtualised copy
// of C:\Windows\GRBWEL.INI is <LOCALAPPDATA>\VirtualStore\Windows\GRBWEL.INI.
TSettingsPaths SettingsPathsFor(std::string_view windowsDir, std::string_view roamingAppData,
                                std::string_view localAppData);
