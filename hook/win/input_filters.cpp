#include "hook/win/input_filters.h"

#include "hook/hook_messages.h"

namespace kvexhk {
namespace {

// Virtual-key codes of the modifier keys, generic and sided.
constexpr std::uint8_t kShift = 0x10, kControl = 0x11, kMenu = 0x12;
constexpr std::uint8_t kLeftWin = 0x5B, kRightWin = 0x5C;
constexpr std::uint8_t kLeftShift = 0xA0, kRightShift = 0xA1;
constexpr std::uint8_t kLeftControl = 0xA2, kRightControl = 0xA3;
constexpr std::uint8_t kLeftMenu = 0xA4, kRightMenu = 0xA5;

enum : std::uint8_t {
  kbLeftCtrl = 1, kbRightCtrl = 2, kbLeftAlt = 4, kbRightAlt = 8,
  kbLeftShift = 16, kbRightShift = 32, kbLeftWin = 64, kbRightWin = 128,
};

TPost PostOf(std::uint32_t window, std::uint32_t message, std::intptr_t wparam = 0, std::intptr_t lparam = 0) {
  return TPost{window, message, wparam, lparam};
}

}  // namespace

std::uint8_t TKeyboardFilter::ModifierKeyBit(std::uint8_t virtual_key) {
  switch (virtual_key) {
    case kControl:
    case kLeftControl:
      return kbLeftCtrl;
    case kRightControl:
      return kbRightCtrl;
    case kMenu:
    case kLeftMenu:
      return kbLeftAlt;
    case kRightMenu:
      return kbRightAlt;
    case kShift:
    case kLeftShift:
      return kbLeftShift;
    case kRightShift:
      return kbRightShift;
    case kLeftWin:
      return kbLeftWin;
    case kRightWin:
      return kbRightWin;
    default:
      return 0;
  }
}

std::uint8_t TKeyboardFilter::HeldModifiers() const {
  std::uint8_t modifiers = hmNone;
  if (held_keys_ & (kbLeftCtrl | kbRightCtrl)) modifiers |= hmCtrl;
  if (held_keys_ & (kbLeftAlt | kbRightAlt)) modifiers |= hmAlt;
  if (held_keys_ & (kbLeftShift | kbRightShift)) modifiers |= hmShift;
  if (held_keys_ & (kbLeftWin | kbRightWin)) modifiers |= hmWin;
  return modifiers;
}

TFilterResult TKeyboardFilter::KeyEvent(THookShare& share, std::uint8_t virtual_key, bool down) {
  if (std::uint8_t bit = ModifierKeyBit(virtual_key)) {
    held_keys_ = down ? (held_keys_ | bit) : (held_keys_ & ~bit);
    return {};
  }
  if (down) return KeyDown(share, virtual_key);
  if (swallowed_key_ == virtual_key) {
    swallowed_key_.reset();
    return TFilterResult{.swallow = true};
  }
  return {};
}

TFilterResult TKeyboardFilter::KeyDown(THookShare& share, std::uint8_t virtual_key) {
  if (swallowed_key_ == virtual_key) return TFilterResult{.swallow = true};  // auto-repeat
  std::uint8_t modifiers = HeldModifiers();
  std::optional<int> number = FindHotKey(virtual_key, modifiers);
  if (!number) return {};
  TFilterResult result;
  if (share.HotKeyEntryActive == 1) {
    result.post = PostOf(share.HotKeyTargetWindow, kMsgHotKeyEntry, *number);
  } else if (share.HotKeyEnabled[*number] == 1) {
    result.post = PostOf(share.MainWindowHandle, kMsgCaptureHotKey, *number);
  } else {
    return {};
  }
  result.swallow = true;
  result.mask_modifier = (modifiers & (hmAlt | hmWin)) != 0;
  swallowed_key_ = virtual_key;
  return result;
}

TFilterResult TMouseFilter::MouseEvent(THookShare& share, TMouseEvent event, std::int32_t x, std::int32_t y) {
  const bool selecting = share.HookMode == kHookModeSelecting;
  const std::uint32_t main = share.MainWindowHandle;
  TFilterResult result;
  switch (event) {
    case TMouseEvent::meMove:
      // Moves always reach the system, so that the cursor follows the mouse.
      if (selecting) result.post = PostOf(main, left_swallowed_ ? kMsgMouseDragged : kMsgMouseMoved, x, y);
      break;
    case TMouseEvent::meLeftDown:
      if (selecting) {
        left_swallowed_ = true;
        result = TFilterResult{.swallow = true, .post = PostOf(main, kMsgLeftButtonDown, x, y)};
      }
      break;
    case TMouseEvent::meLeftUp:
      // The release of a swallowed press is swallowed too, even when the
      // selection was called off in between.
      if (left_swallowed_) {
        left_swallowed_ = false;
        result.swallow = true;
        if (selecting) {
          share.HookMode = kHookModeIdle;
          result.post = PostOf(main, kMsgLeftButtonUp, x, y);
        }
      }
      break;
    case TMouseEvent::meRightDown:
      if (selecting) {
        right_swallowed_ = true;
        result.swallow = true;
      }
      break;
    case TMouseEvent::meRightUp:
      if (right_swallowed_) {
        right_swallowed_ = false;
        result.swallow = true;
        if (selecting) result.post = PostOf(main, kMsgRightClick);
      }
      break;
    case TMouseEvent::meOther:
      break;
  }
  return result;
}

}  // namespace kvexhk
