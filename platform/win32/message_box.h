// Message boxes of the program: the ordinary ones owned by a window, and the
// system-modal one of the start-up failures, which has no owner.
#pragma once

#include <windows.h>

#include <string>

namespace win {

enum class TMessageButtons { mbOK, mbYesNo };
enum class TMessageAnswer { maOK, maYes, maNo, maCancelled };

// Shows a modal message box owned by `owner` (may be null) with the given
// text, caption, icon flags (MB_ICON...) and buttons; returns the answer.
TMessageAnswer ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, TMessageButtons buttons,
                           UINT icon = 0);

// The start-up failure box: no owner, caption "System Error", OK button,
// shown system-modal so that it comes up above every other window.
void ShowSystemError(const std::wstring& text);

}  // namespace win
