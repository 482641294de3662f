// A preset answer of the print dialog for tests: the default printer with a
// given copy count and orientation, as if the user had confirmed them.
#pragma once

#include <optional>

#include "platform/win32/print_dialog.h"

// Empty when the system has no default printer.
std::optional<win::TPrinterChoice> DefaultPrinterChoice(int copies, bool landscape);
