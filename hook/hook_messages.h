// The names of the kernel objects the program and the hook library share, and
// the window messages the library posts to the program. The numbers are
// WM_USER (0x400) plus n; both sides must agree on them.
#pragma once

#include <cstdint>

// The 280-byte shared block (see hook_share.h).
inline constexpr wchar_t kHookShareName[] = L"KVYZ1KGR";
// Created at start-up and kept while the program runs; nothing waits on it.
inline constexpr wchar_t kStartupMutexName[] = L"KV67aQeR";
// Exists exactly while a first instance runs: the single-instance test.
inline constexpr wchar_t kInstanceMarkerName[] = L"KVEX2321Z";
inline constexpr std::uint32_t kInstanceMarkerSize = 10;

inline constexpr std::uint32_t kUserMessageBase = 0x400;

// The tray icon's shell notification.
inline constexpr std::uint32_t kMsgTrayIcon = kUserMessageBase + 0;
// A combination was pressed while the hot-key entry field has the focus;
// WParam is the hot-key number. Sent to HotKeyTargetWindow.
inline constexpr std::uint32_t kMsgHotKeyEntry = kUserMessageBase + 1;
// An enabled combination was pressed; WParam is the hot-key number.
inline constexpr std::uint32_t kMsgCaptureHotKey = kUserMessageBase + 2;
// Mouse reports while HookMode is 2; WParam x, LParam y in screen pixels.
inline constexpr std::uint32_t kMsgLeftButtonDown = kUserMessageBase + 3;
inline constexpr std::uint32_t kMsgMouseDragged = kUserMessageBase + 4;
inline constexpr std::uint32_t kMsgLeftButtonUp = kUserMessageBase + 5;
// Reserved by the library; the program ignores it.
inline constexpr std::uint32_t kMsgHookReserved = kUserMessageBase + 6;
// A right-button click while HookMode is 2; no parameters.
inline constexpr std::uint32_t kMsgRightClick = kUserMessageBase + 7;
// The mouse moved before the left button went down; WParam x, LParam y.
inline constexpr std::uint32_t kMsgMouseMoved = kUserMessageBase + 8;
