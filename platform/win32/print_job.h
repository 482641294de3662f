// One document of this program on a printer, from StartDoc to EndDoc. The
// printer is shared by the whole program, and so is the knowledge that a
// document of ours is open on it: the spooler can handle window messages
// while it works, and a print request arriving that way must be refused
// rather than start a second document.
#pragma once

#include <windows.h>

#include <string>

namespace win {

class TPrintJob {
 public:
  // Starts the document titled `title` on `printer` and its first page.
  // Raises EPrinterError when the printer refuses the document.
  TPrintJob(HDC printer, const std::wstring& title);
  // A job not ended with End() (an error passed) is aborted.
  ~TPrintJob();
  TPrintJob(const TPrintJob&) = delete;
  TPrintJob& operator=(const TPrintJob&) = delete;

  // Ends the current page and starts the next.
  void NewPage();
  // Ends the last page and the document; raises EPrinterError on failure.
  void End();

  // True between StartDoc and EndDoc (or AbortDoc) of a document of ours.
  static bool Printing();

 private:
  HDC printer_;
  bool open_ = true;
};

}  // namespace win
