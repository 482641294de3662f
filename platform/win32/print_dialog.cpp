#include "platform/win32/print_dialog.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <string>

#include "platform/win32/printer_error.h"

namespace win {

namespace {

bool HasDefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  return size > 0;
}

bool IsLandscape(HGLOBAL settings) {
  if (settings == nullptr) return false;
  const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(settings));
  if (mode == nullptr) return false;
  const bool landscape = (mode->dmFields & DM_ORIENTATION) != 0 && mode->dmOrientation == DMORIENT_LANDSCAPE;
  GlobalUnlock(settings);
  return landscape;
}

}  // namespace

std::optional<TPrinterChoice> ShowPrintDialog(HWND owner) {
  // Checked first because not every system's dialog refuses to open
  // without a printer; some show an empty printer list instead.
  if (!HasDefaultPrinter()) throw EPrinterError("No printer is installed.");

  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  // Without PD_USEDEVMODECOPIESANDCOLLATE the copy count comes back in
  // nCopies and the printer settings ask for one copy: the program makes
  // the copies itself, one page each.
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING;
  dialog.nCopies = 1;
  const BOOL confirmed = PrintDlgW(&dialog);
  TGlobalMemory settings(dialog.hDevMode);
  TGlobalMemory names(dialog.hDevNames);
  TCreatedDC printer(dialog.hDC);
  if (!confirmed) {
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return std::nullopt;
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) throw EPrinterError("No printer is installed.");
    throw EPrinterError("The print dialog failed (error " + std::to_string(error) + ").");
  }
  if (!printer) throw EPrinterError("The chosen printer could not be opened.");
  return TPrinterChoice{std::move(printer), dialog.nCopies, IsLandscape(settings.Get())};
}

}  // namespace win
