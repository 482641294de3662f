#include "platform/win32/shell.h"

#include <shellapi.h>

namespace win {

void ShellOpen(HWND owner, const wchar_t* verb, const std::wstring& target, int show) {
  ShellExecuteW(owner, verb, target.c_str(), nullptr, nullptr, show);
}

void ShowHelpContents(HWND owner, const std::wstring& path) { WinHelpW(owner, path.c_str(), HELP_CONTENTS, 0); }

}  // namespace win
