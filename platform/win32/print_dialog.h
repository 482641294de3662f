// The system print dialog: printer choice and copies.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/win32/handles.h"

namespace win {

// What the user confirmed: a device context on the chosen printer with the
// chosen settings, the number of copies the program itself is to produce,
// and the paper orientation.
struct TPrinterChoice {
  TCreatedDC Printer;
  int Copies = 1;
  bool Landscape = false;
};

// Shows the dialog owned by `owner`; empty when the user cancels. Raises
// EPrinterError when there is no printer or the chosen one cannot be opened.
std::optional<TPrinterChoice> ShowPrintDialog(HWND owner);

}  // namespace win
