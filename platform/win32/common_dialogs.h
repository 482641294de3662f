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

}  // namespace win
