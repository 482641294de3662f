// The functions KVEXHK.DLL exports, as the program imports them. Each
// install returns the hook as a 32-bit value (0 when it could not be
// installed), which the program keeps in the shared block and later hands
// to CapUnHook.
#pragma once

#include <cstdint>

extern "C" {
std::uint32_t __stdcall CapHookKeyboard();
std::uint32_t __stdcall CapHookMouse();
std::int32_t __stdcall CapUnHook(std::uint32_t hook);
}
