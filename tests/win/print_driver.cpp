// Prints a known picture on the default printer through the scaled print
// command, with the dialog's answer preset, for the end-to-end tests that
// look at the printed page:
//   print_driver scaled TEXT portrait|landscape
// It reports the printer's page on stdout ("page WIDTH HEIGHT DPI") and
// exits with 0 when the document was printed.
#include <cstdio>
#include <exception>
#include <string>

#include "output/win/printing.h"
#include "print_pattern.h"
#include "printer_choice.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || std::wstring(argv[1]) != L"scaled") {
    std::fputs("usage: print_driver scaled TEXT portrait|landscape\n", stderr);
    return 2;
  }
  const bool landscape = std::wstring(argv[3]) == L"landscape";
  std::optional<win::TPrinterChoice> choice = DefaultPrinterChoice(1, landscape);
  if (!choice) {
    std::fputs("no default printer\n", stderr);
    return 1;
  }
  HDC dc = choice->Printer.Get();
  std::printf("page %d %d %d\n", GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, LOGPIXELSX));
  std::fflush(stdout);
  // The command takes the dialog's answer once; this one hands over ours.
  auto preset = [&choice](HWND) { return std::move(choice); };
  try {
    PrintItFull(nullptr, PrintPattern(), argv[2], L"Grabwell 2000", preset);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
