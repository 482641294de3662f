// What the hook library does with one keyboard or mouse event, decided from
// the shared block and the library's own memory of earlier events. The
// decisions are kept apart from the hook procedures so that they can be
// checked without real input.
#pragma once

#include <cstdint>
#include <optional>

#include "hook/hook_share.h"

namespace kvexhk {

// A message for the hook procedure to post: to a window field of the block.
struct TPost {
  std::uint32_t window;
  std::uint32_t message;
  std::intptr_t wparam;
  std::intptr_t lparam;
  friend bool operator==(const TPost&, const TPost&) = default;
};

struct TFilterResult {
  bool swallow = false;         // keep the event from every other program
  std::optional<TPost> post;    // the message to post, if any
  bool mask_modifier = false;   // a swallowed combination held Alt or Win
  friend bool operator==(const TFilterResult&, const TFilterResult&) = default;
};

// Recognises the 238 combinations. Modifier keys are tracked here, one bit
// per physical key, so that a combination is judged by what was held when
// its key went down.
class TKeyboardFilter {
 public:
  // Seeds the modifier state, e.g. from the keys held when the hook starts.
  void SetHeldModifierKeys(std::uint8_t held_keys) { held_keys_ = held_keys; }
  std::uint8_t HeldModifiers() const;

  TFilterResult KeyEvent(THookShare& share, std::uint8_t virtual_key, bool down);

  // Bit of a modifier key in the held-key state; 0 for other keys.
  static std::uint8_t ModifierKeyBit(std::uint8_t virtual_key);

 private:
  TFilterResult KeyDown(THookShare& share, std::uint8_t virtual_key);

  std::uint8_t held_keys_ = 0;
  // The key of a combination whose press was swallowed: its repeats and its
  // release are swallowed too, and the repeats post nothing.
  std::optional<std::uint8_t> swallowed_key_;
};

enum class TMouseEvent { meMove, meLeftDown, meLeftUp, meRightDown, meRightUp, meOther };

// Reports a mouse selection while HookMode is 2 and swallows its buttons.
class TMouseFilter {
 public:
  TFilterResult MouseEvent(THookShare& share, TMouseEvent event, std::int32_t x, std::int32_t y);

 private:
  bool left_swallowed_ = false;
  bool right_swallowed_ = false;
};

}  // namespace kvexhk
