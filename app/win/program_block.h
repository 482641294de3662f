// The program block: everything GRBWEL.EXE does from its start to its end.
#pragma once

#include "platform/win32/windows_api.h"

// Runs the program and returns its exit code.
int RunProgram();
