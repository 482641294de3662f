// The system's file dialogs behind plain values. Filters are written as
// "Description|pattern|Description|pattern".
#pragma once

#include <windows.h>
// commdlg.h needs windows.h before it.
#include <commdlg.h>

#include <optional>
#include <string>

namespace win {

struct TFileDialogOptions {
  std::wstring Title;
  std::wstring Filter;
  std::wstring DefaultExtension;
  std::wstring FileName;  // proposed name
  DWORD Flags = 0;        // OFN_...
};

// The chosen path, or nothing when the user cancelled.
std::optional<std::wstring> ShowSaveDialog(HWND owner, const TFileDialogOptions& options);
std::optional<std::wstring> ShowOpenDialog(HWND owner, const TFileDialogOptions& options);

// The system's colour dialog preset with `initial`; the chosen colour, or
// nothing when the user cancelled.
std::optional<COLORREF> ShowColorDialog(HWND owner, COLORREF initial);

}  // namespace win
