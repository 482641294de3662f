// The 238 hot-key combinations, numbered 0..237. The number is what the
// settings store as "Capture Key", what indexes the switches of the shared
// block and what the hot-key messages carry; the name is all the user sees.
// The program and the hook library share this one table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr int kHotKeyCount = 238;
inline constexpr int kDefaultHotKey = 44;  // "F11"
inline constexpr std::size_t kMaxHotKeyNameLength = 15;

// Modifier keys of a combination, as a bit set.
enum THotKeyModifier : std::uint8_t {
  hmNone = 0,
  hmCtrl = 1,
  hmAlt = 2,
  hmShift = 4,
  hmWin = 8,  // either Windows logo key
};

// Virtual-key codes of the keys in the table (stable Windows numbers).
inline constexpr std::uint8_t kVirtualKey0 = 0x30;   // '0'..'9' follow
inline constexpr std::uint8_t kVirtualKeyA = 0x41;   // 'A'..'Z' follow
inline constexpr std::uint8_t kVirtualKeyF1 = 0x70;  // F1..F12 follow

struct THotKeyCombination {
  std::uint8_t VirtualKey;
  std::uint8_t Modifiers;  // THotKeyModifier bits, exactly these held
  friend bool operator==(const THotKeyCombination&, const THotKeyCombination&) = default;
};

// The display names in number order ("Ctrl+0" .. "Win+Alt+F12"), each at
// most kMaxHotKeyNameLength characters.
extern const std::array<std::string_view, kHotKeyCount> HotKeyNames;

constexpr bool IsHotKeyNumber(int number) { return number >= 0 && number < kHotKeyCount; }

// The key and exact modifier set that make up hot key `number`;
// std::nullopt outside 0..237.
std::optional<THotKeyCombination> HotKeyCombination(int number);

// The number of the combination of `virtualKey` with exactly `modifiers`
// held, or std::nullopt when that is none of the 238.
std::optional<int> FindHotKey(std::uint8_t virtualKey, std::uint8_t modifiers);
