// KVEXHK.DLL: the system-wide keyboard and mouse hooks of the program.
// Both are low-level hooks, so they run on the thread that installed them
// (the program's user-interface thread, whose message loop calls them) and
// need no injection into other processes. Whatever they decide is posted to
// the program's windows named in the shared block.
#include <windows.h>

#include "hook/win/input_filters.h"
#include "hook/win/kvexhk.h"
#include "hook/win/shared_block.h"

namespace kvexhk {
namespace {

// The library's state lives as long as the library is loaded: the hook
// procedures are plain callbacks with no context of their own.
struct TLibraryState {
  HINSTANCE module = nullptr;
  TSharedBlock share;
  TKeyboardFilter keyboard;
  TMouseFilter mouse;
};

TLibraryState& State() {
  static TLibraryState state;
  return state;
}

// An unassigned virtual key, pressed and released after a swallowed
// combination with Alt or Win held, so that releasing that modifier alone
// does not open a menu bar or the Start menu.
constexpr WORD kMaskKey = 0xE8;

void SendMaskKey() {
  INPUT inputs[2]{};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = kMaskKey;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

bool Apply(const TFilterResult& result) {
  if (result.post) {
    PostToWindow(result.post->window, result.post->message, static_cast<WPARAM>(result.post->wparam),
                 static_cast<LPARAM>(result.post->lparam));
  }
  if (result.mask_modifier) SendMaskKey();
  return result.swallow;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
    THookShare* share = State().share.Get();
    if (share != nullptr && event.vkCode <= 0xFF && event.vkCode != kMaskKey) {
      bool down = wparam == WM_KEYDOWN || wparam == WM_SYSKEYDOWN;
      if (Apply(State().keyboard.KeyEvent(*share, static_cast<std::uint8_t>(event.vkCode), down))) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TMouseEvent MouseEventOf(WPARAM message) {
  switch (message) {
    case WM_MOUSEMOVE:
      return TMouseEvent::meMove;
    case WM_LBUTTONDOWN:
      return TMouseEvent::meLeftDown;
    case WM_LBUTTONUP:
      return TMouseEvent::meLeftUp;
    case WM_RBUTTONDOWN:
      return TMouseEvent::meRightDown;
    case WM_RBUTTONUP:
      return TMouseEvent::meRightUp;
    default:
      return TMouseEvent::meOther;
  }
}

LRESULT CALLBACK MouseProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam);
    THookShare* share = State().share.Get();
    if (share != nullptr && Apply(State().mouse.MouseEvent(*share, MouseEventOf(wparam), event.pt.x, event.pt.y))) {
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// The modifier keys held right now, for a keyboard hook that starts while
// the user holds one.
std::uint8_t HeldModifierKeys() {
  std::uint8_t held = 0;
  for (int key : {VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LSHIFT, VK_RSHIFT, VK_LWIN, VK_RWIN}) {
    if (GetAsyncKeyState(key) & 0x8000) held |= TKeyboardFilter::ModifierKeyBit(static_cast<std::uint8_t>(key));
  }
  return held;
}

std::uint32_t Install(int kind, HOOKPROC procedure) {
  State().share.Get();  // open the block now, while the program is starting
  HHOOK hook = SetWindowsHookExW(kind, procedure, State().module, 0);
  return HandleToField(reinterpret_cast<std::uintptr_t>(hook));
}

}  // namespace
}  // namespace kvexhk

extern "C" {

std::uint32_t __stdcall CapHookKeyboard() {
  kvexhk::State().keyboard.SetHeldModifierKeys(kvexhk::HeldModifierKeys());
  return kvexhk::Install(WH_KEYBOARD_LL, &kvexhk::KeyboardProc);
}

std::uint32_t __stdcall CapHookMouse() { return kvexhk::Install(WH_MOUSE_LL, &kvexhk::MouseProc); }

std::int32_t __stdcall CapUnHook(std::uint32_t hook) {
  if (hook == 0) return 0;
  return UnhookWindowsHookEx(reinterpret_cast<HHOOK>(FieldToHandle(hook))) ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    kvexhk::State().module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

}  // extern "C"
