#include "app/win/settings_store.h"

#include "app/capture_settings.h"
#include "platform/win32/known_folders.h"
#include "platform/win32/message_box.h"
#include "platform/win32/private_profile.h"
#include "platform/win32/text.h"

using win::Narrow;
using win::Widen;

TSettingsStore::TSettingsStore()
    : paths_(SettingsPathsFor(Narrow(win::WindowsDirectory()), Narrow(win::RoamingAppDataFolder()),
                              Narrow(win::LocalAppDataFolder()))),
      place_(SettingsPlaceToRead({win::FileExists(Widen(paths_.PerUser)), win::FileExists(Widen(paths_.WindowsDir)),
                                  win::FileExists(Widen(paths_.VirtualStore))})) {}

void TSettingsStore::Load() const {
  // The Windows directory's file goes to the profile functions by its bare
  // name, as it always has; the others by their full paths.
  if (place_ == TSettingsPlace::spWindowsDir) {
    LoadSettings();
  } else {
    LoadSettings(TPrivateProfile(Widen(paths_.Of(place_))), CaptureSettings);
  }
}

void TSettingsStore::Save() {
  const bool windowsDirWritable = place_ == TSettingsPlace::spWindowsDir && win::CanWriteFile(Widen(paths_.WindowsDir));
  const TSettingsPlace target = SettingsPlaceToWrite(place_, windowsDirWritable);
  const std::wstring path = Widen(paths_.Of(target));
  bool saved = false;
  if (target == TSettingsPlace::spWindowsDir) {
    saved = SaveSettings();
  } else {
    TPrivateProfile profile(path);
    saved = win::CreateFolder(path.substr(0, path.find_last_of(L'\\'))) && SaveSettings(profile, CaptureSettings);
  }
  if (saved) {
    place_ = target;  // read from there from now on
    return;
  }
  const DWORD error = GetLastError();
  if (failureReported_) return;
  failureReported_ = true;
  win::ShowMessage(nullptr,
                   L"The settings could not be saved to\n" + path + L"\n\n" + win::SystemErrorText(error) +
                       L"\n\nThey stay in effect until Grabwell is closed.",
                   L"Error", win::TMessageButtons::mbOK, MB_ICONERROR | MB_SETFOREGROUND);
}
