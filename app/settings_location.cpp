#include "app/settings_location.h"

#include "app/capture_settings.h"

TSettingsPlace SettingsPlaceToRead(const TSettingsFilesFound& found) {
  if (found.PerUser) return TSettingsPlace::spPerUser;
  if (!found.WindowsDir && found.VirtualStore) return TSettingsPlace::spVirtualStore;
  return TSettingsPlace::spWindowsDir;
}

TSettingsPlace SettingsPlaceToWrite(TSettingsPlace read, bool windowsDirWritable) {
  if (read == TSettingsPlace::spWindowsDir && windowsDirWritable) return TSettingsPlace::spWindowsDir;
  return TSettingsPlace::spPerUser;
}

const std::string& TSettingsPaths::Of(TSettingsPlace place) const {
  switch (place) {
    case TSettingsPlace::spPerUser:
      return PerUser;
    case TSettingsPlace::spVirtualStore:
      return VirtualStore;
    case TSettingsPlace::spWindowsDir:
      break;
  }
  return WindowsDir;
}

TSettingsPaths SettingsPathsFor(std::string_view windowsDir, std::string_view roamingAppData,
                                std::string_view localAppData) {
  const auto in = [](std::string_view folder, std::string_view rest) {
    return std::string(folder).append("\\").append(rest);
  };
  // The system keeps the copy under the Windows directory's path without its drive.
  std::string_view withoutDrive = windowsDir;
  if (withoutDrive.size() >= 2 && withoutDrive[1] == ':') withoutDrive.remove_prefix(2);
  while (!withoutDrive.empty() && withoutDrive.front() == '\\') withoutDrive.remove_prefix(1);
  return {in(windowsDir, kSettingsFileName), in(in(roamingAppData, kPerUserSettingsFolder), kSettingsFileName),
          in(in(in(localAppData, "VirtualStore"), withoutDrive), kSettingsFileName)};
}
