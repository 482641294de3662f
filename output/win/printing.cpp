#include "output/win/printing.h"

#include "output/print_geometry.h"
#include "output/win/print_bitmap.h"
#include "platform/win32/message_box.h"
#include "platform/win32/print_job.h"
#include "platform/win32/text.h"
#include "platform/win32/wait_cursor.h"

namespace {

// The beginning both commands share: nothing when a document of ours is
// still printing (after saying so) or when the user cancels.
std::optional<win::TPrinterChoice> ChoosePrinter(HWND owner, const TPrintDialog& dialog) {
  if (win::TPrintJob::Printing()) {
    win::ShowMessage(owner, L"Other print job currently in progress.", L"Error", win::TMessageButtons::mbOK);
    return std::nullopt;
  }
  return dialog(owner);
}

TPrintPage PageOf(const win::TPrinterChoice& choice) {
  HDC dc = choice.Printer.Get();
  return {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), choice.Landscape};
}

}  // namespace

void PrintItPixel(HWND owner, const TBitmap& image, const std::wstring& title, const TPrintDialog& dialog) {
  const std::optional<win::TPrinterChoice> choice = ChoosePrinter(owner, dialog);
  if (!choice) return;
  win::TWaitCursor hourglass;
  const TPrintPage page = PageOf(*choice);
  const TPrintRect target = PixelSizePlacement(page.Width, page.Height, image.Width(), image.Height());
  win::TPrintJob job(choice->Printer.Get(), title);
  // A copy count of 0 leaves the first page empty.
  for (int copy = 1; copy <= choice->Copies; ++copy) {
    PrintBitmap(choice->Printer.Get(), target, image);
    if (copy < choice->Copies) job.NewPage();
  }
  job.End();
}

void PrintItFull(HWND owner, const TBitmap& image, std::wstring_view scaleText, const std::wstring& title,
                 const TPrintDialog& dialog) {
  const std::optional<win::TPrinterChoice> choice = ChoosePrinter(owner, dialog);
  if (!choice) return;
  win::TWaitCursor hourglass;
  // A scale text that is no number fails here, before any document begins.
  const TPrintRect target = ScaledPlacement(PageOf(*choice), image.Width(), image.Height(), win::Narrow(scaleText));
  win::TPrintJob job(choice->Printer.Get(), title);
  PrintBitmap(choice->Printer.Get(), target, image);
  job.End();
}
