#include "app/win/program_block.h"

#include "app/capture_settings.h"
#include "app/program_dir.h"
#include "app/win/main_win.h"
#include "app/win/program_globals.h"
#include "app/win/settings_store.h"
#include "hook/hook_messages.h"
#include "platform/win32/executable_path.h"
#include "platform/win32/handles.h"
#include "platform/win32/message_box.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/text.h"

namespace {

constexpr wchar_t kCreateFailed[] = L"Memory Mapped File could not be created.  Program will terminate.";
constexpr wchar_t kMapFailed[] = L"Memory Mapped File could not be mapped.  Program will terminate.";
constexpr wchar_t kMutexFailed[] = L"Mutex could not be created.  Program will terminate.";
constexpr wchar_t kAlreadyRunning[] = L"Grabwell is already running.";

// The instance marker exists exactly while a first instance runs.
bool AnotherInstanceRuns() {
  win::TFileMapping marker(OpenFileMappingW(FILE_MAP_WRITE, FALSE, kInstanceMarkerName));
  return static_cast<bool>(marker);
}

// Creates the marker; a failure is not reported (this instance then runs
// without one).
win::TFileMapping CreateInstanceMarker() {
  win::TFileMapping marker(
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kInstanceMarkerSize, kInstanceMarkerName));
  if (marker) win::TMappedView touch(MapViewOfFile(marker.Get(), FILE_MAP_WRITE, 0, 0, 0));
  return marker;
}

}  // namespace

int RunProgram() {
  ProgramDir = ProgramDirOf(win::Narrow(win::ExecutablePath()));

  // The shared block, its view and the mutex are kept until the process
  // ends; a second instance creates (opens) them too before it gives up.
  win::TFileMapping share_mapping(
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHookShareSize, kHookShareName));
  if (!share_mapping) {
    win::ShowSystemError(kCreateFailed);
    return 1;
  }
  win::TMappedView share_view(MapViewOfFile(share_mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
  if (!share_view) {
    win::ShowSystemError(kMapFailed);
    return 1;
  }
  win::TMutex startup_mutex(CreateMutexW(nullptr, FALSE, kStartupMutexName));
  if (!startup_mutex) {
    win::ShowSystemError(kMutexFailed);
    return 1;
  }

  TSettingsStore settings_store;
  settings_store.Load();

  if (AnotherInstanceRuns()) {
    win::ShowMessage(nullptr, kAlreadyRunning, L"", win::TMessageButtons::mbOK);
    return 0;
  }
  win::TFileMapping instance_marker = CreateInstanceMarker();

  ConfigDialogOpen = false;
  AboutBoxOpen = false;

  try {
    TMainWin main_win(TMainWin::TContext{
        .Share = *static_cast<THookShare*>(share_view.Get()),
        .Settings = CaptureSettings,
        .SaveSettings = [&settings_store] { settings_store.Save(); },
    });
    if (main_win.Handle() == nullptr) return 1;
    win::RunMessageLoop();
  } catch (...) {
    // Dropped: the marker is closed below all the same and the program ends.
  }
  instance_marker.Reset();
  return 0;
}
