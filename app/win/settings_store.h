// Where the process-wide settings record lives on this machine: the file is
// chosen once at start from the files that exist, read, and the record is
// written back where this user can write it.
#pragma once

#include "app/settings_location.h"

class TSettingsStore {
 public:
  // Finds the folders and which settings files exist.
  TSettingsStore();

  // Reads CaptureSettings from the chosen file.
  void Load() const;
  // Writes CaptureSettings whole. When no file can be written, says so in a
  // message box naming the file and the system's reason, once per run.
  void Save();

 private:
  TSettingsPaths paths_;
  TSettingsPlace place_;
  bool failureReported_ = false;
};
