// Runs a probe query inside the process that owns a window (see
// probe_protocol.h) and returns the JSON text it answered, or nothing when
// the hook could not be installed or the window did not answer in time.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tests/probe/probe_protocol.h"

std::optional<std::string> QueryInsideOwner(HWND window, TProbeQuery query);
