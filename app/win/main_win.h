// TMainWin: the program's one top-level window. It stays hidden while the
// program waits in the tray; it owns the tray icon and its menu, installs
// the keyboard and mouse hooks and receives the hook library's messages.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/version_info.h"
#include "app/win/tray_menu.h"
#include "hook/hook_share.h"
#include "platform/win32/task_icon.h"
#include "platform/win32/window.h"

struct TCaptureSettings;

class TMainWin : public win::TWindow {
 public:
  // What the program block hands to the main window: the process-wide
  // shared block and settings, and the settings writer.
  struct TContext {
    THookShare& Share;
    TCaptureSettings& Settings;
    std::function<void()> SaveSettings;
    // The shell that shows the tray icon; empty for the real one.
    win::TTaskIcon::TShellNotify TrayShell = {};
  };

  explicit TMainWin(TContext context);

  // Hook glue: install or remove a hook through the hook library and keep
  // its value in the shared block.
  void HookTheKeyboard();
  void HookTheMouse();
  void UnHookTheKeyboard();
  void UnHookTheMouse();
  // Asks whether to reinstall both hooks, and does so on Yes.
  void RestoreTheHooks();
  // Where the hook library sends 0x401, and whether it does.
  void SetSecWind(HWND window, bool active);

  const win::TTaskIcon* TaskIcon() const { return TaskIcon1.get(); }

  // The program's own version resource, read when the window is created.
  TVersionInfo VersionInfo;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void FormCreate();
  void FormClose();
  void FormDestroy();
  void InitHookShare();
  void HookTimerTimer();
  void MenuCommand(unsigned command);
  void TaskIcon1RightClick(int x, int y);
  void mnuTerminateClick();
  void PopHelpClick();
  void mnuWebSiteClick();
  void mnuUpdateClick();

  // The one-shot re-hook timer started at creation.
  static constexpr UINT_PTR kHookTimerId = 1;
  static constexpr UINT kHookTimerInterval = 30000;

  TContext context_;
  std::unique_ptr<win::TTaskIcon> TaskIcon1;
  win::TPopupMenu MyPopUp;
  bool CaptureInProgress = false;
  int ScreenWidth = 0;
  int ScreenHeight = 0;
};

// The question of the Restore item, naming the product.
std::wstring RestoreHooksQuestion(const std::wstring& product);
