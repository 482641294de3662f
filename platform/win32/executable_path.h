// Where the running program's executable is.
#pragma once

#include <string>

namespace win {

// The full path of the executable file of this process; empty if the
// system cannot tell.
std::wstring ExecutablePath();

}  // namespace win
