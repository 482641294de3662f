#include "platform/win32/print_job.h"

#include "platform/win32/printer_error.h"

namespace win {

namespace {

bool printing = false;

}  // namespace

TPrintJob::TPrintJob(HDC printer, const std::wstring& title) : printer_(printer) {
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = title.c_str();
  // Set before StartDoc: a request that the spooler's message handling
  // delivers while the document is being opened is refused as well.
  printing = true;
  if (StartDocW(printer_, &document) <= 0) {
    printing = false;
    throw EPrinterError("The printer did not accept the document.");
  }
  if (StartPage(printer_) <= 0) {
    AbortDoc(printer_);
    printing = false;
    throw EPrinterError("The printer could not start a page.");
  }
}

TPrintJob::~TPrintJob() {
  if (!open_) return;
  AbortDoc(printer_);
  printing = false;
}

void TPrintJob::NewPage() {
  if (EndPage(printer_) <= 0 || StartPage(printer_) <= 0) throw EPrinterError("The printer could not start a page.");
}

void TPrintJob::End() {
  const bool pageEnded = EndPage(printer_) > 0;
  const bool ended = EndDoc(printer_) > 0;
  open_ = false;
  printing = false;
  if (!pageEnded || !ended) throw EPrinterError("The printer could not finish the document.");
}

bool TPrintJob::Printing() { return printing; }

}  // namespace win
