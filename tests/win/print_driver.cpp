// Prints a known picture on the default printer through the print
// commands, with the dialog's answer preset, for the end-to-end tests that
// look at the printed pages:
//   print_driver pixel COPIES
//   print_driver scaled TEXT portrait|landscape
// It reports the printer's page on stdout ("page WIDTH HEIGHT DPI") and
// exits with 0 when the document was printed.
#include <cstdio>
#include <exception>
#include <string>

#include "output/win/printing.h"
#include "print_pattern.h"
#include "printer_choice.h"

namespace {

int Usage() {
  std::fputs("usage: print_driver pixel COPIES | print_driver scaled TEXT portrait|landscape\n", stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Usage();
  const std::wstring mode = argv[1];
  const bool pixel = mode == L"pixel";
  if (!pixel && (mode != L"scaled" || argc < 4)) return Usage();
  const int copies = pixel ? std::stoi(argv[2]) : 1;
  const bool landscape = !pixel && std::wstring(argv[3]) == L"landscape";

  std::optional<win::TPrinterChoice> choice = DefaultPrinterChoice(copies, landscape);
  if (!choice) {
    std::fputs("no default printer\n", stderr);
    return 1;
  }
  HDC dc = choice->Printer.Get();
  std::printf("page %d %d %d\n", GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSX));
  std::fflush(stdout);
  // The commands take the dialog's answer once; this one hands over ours.
  auto preset = [&choice](HWND) { return std::move(choice); };
  try {
    const TBitmap image = PrintPattern();
    if (pixel) {
      PrintItPixel(nullptr, image, L"Grabwell 2000", preset);
    } else {
      PrintItFull(nullptr, image, argv[2], L"Grabwell 2000", preset);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
