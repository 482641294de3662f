// What the probe and its hook library agree on. The probe cannot read a
// menu or a tool tip's tool list of another process under Wine, so it
// installs a message hook from probe_hook.dll on the owning thread, sends the
// window the query message, and the hook answers from inside that process
// through a named shared-memory block.
#pragma once

#include <windows.h>

#include <cstdint>

enum class TProbeQuery : WPARAM {
  MenuItems = 1,     // the items of the popup menu shown by a "#32768" window
  ToolTipTools = 2,  // the tools registered with a tooltips_class32 window
};

inline constexpr wchar_t kProbeQueryMessage[] = L"GrabwellProbeQuery";
inline constexpr wchar_t kProbeReplyMapping[] = L"GrabwellProbeReply";
inline constexpr char kProbeHookProcName[] = "ProbeCallWndProc";

// Layout of the reply block: the length of the JSON text, then the text.
struct TProbeReply {
  std::uint32_t Length;
  char Text[1];
};
inline constexpr DWORD kProbeReplyCapacity = 1u << 20;
inline constexpr DWORD kProbeReplyTextCapacity = kProbeReplyCapacity - sizeof(std::uint32_t);
