// The main window's side of the hook library: installing and removing the
// hooks, the one-time re-hook after start and the Restore menu item.
#include "app/win/main_win.h"

#include "hook/win/kvexhk.h"
#include "platform/win32/message_box.h"
#include "platform/win32/text.h"

void TMainWin::HookTheKeyboard() { context_.Share.KeyboardHookHandle = CapHookKeyboard(); }

void TMainWin::HookTheMouse() { context_.Share.MouseHookHandle = CapHookMouse(); }

void TMainWin::UnHookTheKeyboard() { CapUnHook(context_.Share.KeyboardHookHandle); }

void TMainWin::UnHookTheMouse() { CapUnHook(context_.Share.MouseHookHandle); }

void TMainWin::SetSecWind(HWND window, bool active) {
  context_.Share.HotKeyTargetWindow = HandleToField(reinterpret_cast<std::uintptr_t>(window));
  context_.Share.HotKeyEntryActive = active ? 1 : 0;
}

void TMainWin::HookTimerTimer() {
  // Other programs started after us may have put their hooks in front of
  // ours; taking ours out and back in once puts them first again.
  KillTimer(Handle(), kHookTimerId);
  UnHookTheKeyboard();
  UnHookTheMouse();
  HookTheKeyboard();
  HookTheMouse();
}

void TMainWin::RestoreTheHooks() {
  auto answer = win::ShowMessage(Handle(), RestoreHooksQuestion(win::Widen(VersionInfo.ProductName())), L"Keyboard and Mouse Hooks",
                                 win::TMessageButtons::mbYesNo);
  if (answer != win::TMessageAnswer::maYes) return;
  UnHookTheKeyboard();
  HookTheKeyboard();
  UnHookTheMouse();
  HookTheMouse();
}

std::wstring RestoreHooksQuestion(const std::wstring& product) {
  const std::wstring& p = product;
  return L"It is possible for other programs which are run after " + p +
         L" to improperly install themselves into the system wide Windows keyboard and mouse hooks. If the keyboard "
         L"hooks are fouled up, " +
         p + L" will no longer be able to monitor keystrokes and capture activation Hot Key will no longer work. " +
         L"In the event that the mouse hooks are fouled up, " + p +
         L" will no longer be able to capture areas and shapes using the mouse. " +
         L" This option will reinstall the Windows keyboard and mouse hooks used by " + p + L" so that " + p +
         L" will have the first look at the keystrokes and mouse and will be able to monitor the keystrokes and "
         L"mouse again.  Continue?";
}
