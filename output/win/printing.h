// The two print commands of the main window, as functions of what they
// need. Both refuse while a document of ours is printing ("Other print job
// currently in progress."), ask the print dialog, show the hourglass until
// they return and print `image` in one document titled `title`. A cancelled
// dialog prints nothing. Errors pass to the caller for the program's error
// handler: win::EPrinterError for a missing or failing printer,
// EConvertError for a scale text that is not a number.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "gif/bitmap.h"
#include "platform/win32/print_dialog.h"
#include "platform/win32/windows_api.h"

// The print dialog: the system's, or a test's preset answer.
using TPrintDialog = std::function<std::optional<win::TPrinterChoice>(HWND owner)>;

// One image pixel per printer pixel, at a fixed margin, one page per copy.
void PrintItPixel(HWND owner, const TBitmap& image, const std::wstring& title,
                  const TPrintDialog& dialog = win::ShowPrintDialog);

// One page with the image scaled as `scaleText` (the scale box's text)
// says: "Full page" or any text without "%" stretches it over the page,
// "200%" doubles it.
void PrintItFull(HWND owner, const TBitmap& image, std::wstring_view scaleText, const std::wstring& title,
                 const TPrintDialog& dialog = win::ShowPrintDialog);
