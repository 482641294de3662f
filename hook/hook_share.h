// THookShare: the named shared-memory block through which the program and
// the hook library meet. Both sides map the same 280 bytes, so the layout is
// fixed byte for byte and checked below; the block is little-endian and all
// zero when first created.
//
// Window and hook handles are kept as 32-bit fields so that the same block
// serves 32- and 64-bit builds: Windows guarantees that user handles fit in
// 32 bits and sign-extends them when widening (HandleToLong/LongToHandle).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "hook/hot_keys.h"

inline constexpr std::uint32_t kHookShareSize = 280;

// Values of THookShare::HookMode.
inline constexpr std::int32_t kHookModeIdle = 1;
inline constexpr std::int32_t kHookModeSelecting = 2;

struct THookShare {
  std::uint32_t MainWindowHandle;            // receives 0x402..0x408
  std::uint8_t Flag;                         // set to 0 when the main window is created
  std::uint8_t Reserved5[15];                // not used by the program
  std::uint8_t HotKeyEnabled[kHotKeyCount];  // byte n switches hot key n on
  std::uint8_t Reserved258[2];
  std::uint32_t MouseHookHandle;     // what CapHookMouse returned
  std::uint32_t KeyboardHookHandle;  // what CapHookKeyboard returned
  std::int32_t HookMode;             // kHookModeIdle or kHookModeSelecting
  std::uint32_t HotKeyTargetWindow;  // receives 0x401 while HotKeyEntryActive is 1
  std::uint8_t HotKeyEntryActive;    // 1 while the hot-key entry field has the focus
  std::uint8_t Reserved277[3];
};

static_assert(std::endian::native == std::endian::little, "the shared block is little-endian");
static_assert(std::is_standard_layout_v<THookShare> && std::is_trivially_copyable_v<THookShare>);
static_assert(offsetof(THookShare, MainWindowHandle) == 0);
static_assert(offsetof(THookShare, Flag) == 4);
static_assert(offsetof(THookShare, Reserved5) == 5);
static_assert(offsetof(THookShare, HotKeyEnabled) == 20);
static_assert(offsetof(THookShare, Reserved258) == 258);
static_assert(offsetof(THookShare, MouseHookHandle) == 260);
static_assert(offsetof(THookShare, KeyboardHookHandle) == 264);
static_assert(offsetof(THookShare, HookMode) == 268);
static_assert(offsetof(THookShare, HotKeyTargetWindow) == 272);
static_assert(offsetof(THookShare, HotKeyEntryActive) == 276);
static_assert(offsetof(THookShare, Reserved277) == 277);
static_assert(sizeof(THookShare) == kHookShareSize);

// A handle value (HWND, HHOOK converted with reinterpret_cast) as the block's
// 32-bit field: the low 32 bits, as HandleToULong does.
constexpr std::uint32_t HandleToField(std::uintptr_t handle) { return static_cast<std::uint32_t>(handle); }

// The block's 32-bit field back to a handle value, sign-extended as
// LongToHandle does, so 0xFFFFFFFF becomes the all-ones handle on 64-bit.
constexpr std::uintptr_t FieldToHandle(std::uint32_t field) {
  return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(field)));
}
