// The shell's open verb and the help engine. Failures (no browser, no help
// engine) are not reported: the request simply has no effect.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// Asks the shell to open `target` (a file or a web address) with `verb`
// (null: the default verb) and the show command `show`.
void ShellOpen(HWND owner, const wchar_t* verb, const std::wstring& target, int show);

// Asks the help engine for the contents page of help file `path`.
void ShowHelpContents(HWND owner, const std::wstring& path);

}  // namespace win
