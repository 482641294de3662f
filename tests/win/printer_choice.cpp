#include "printer_choice.h"

#include <winspool.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/handles.h"

namespace {

// A printer opened with OpenPrinter.
using TPrinterHandle = win::TUniqueHandle<HANDLE, win::TNullHandleTraits<HANDLE, &ClosePrinter>>;

}  // namespace

std::optional<win::TPrinterChoice> DefaultPrinterChoice(int copies, bool landscape) {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return std::nullopt;
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return std::nullopt;
  name.resize(size - 1);

  HANDLE opened = nullptr;
  if (!OpenPrinterW(name.data(), &opened, nullptr)) return std::nullopt;
  const TPrinterHandle printer(opened);
  // The printer's own settings, with the orientation changed as a user
  // would in the dialog's printer properties.
  const LONG modeSize = DocumentPropertiesW(nullptr, printer.Get(), name.data(), nullptr, nullptr, 0);
  std::vector<std::uint8_t> buffer(modeSize > 0 ? static_cast<std::size_t>(modeSize) : sizeof(DEVMODEW));
  auto* mode = reinterpret_cast<DEVMODEW*>(buffer.data());
  const bool haveMode =
      modeSize > 0 && DocumentPropertiesW(nullptr, printer.Get(), name.data(), mode, nullptr, DM_OUT_BUFFER) == IDOK;
  if (!haveMode) return std::nullopt;
  mode->dmFields |= DM_ORIENTATION;
  mode->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;

  win::TCreatedDC dc(CreateDCW(L"WINSPOOL", name.c_str(), nullptr, mode));
  if (!dc) return std::nullopt;
  return win::TPrinterChoice{std::move(dc), copies, landscape};
}
