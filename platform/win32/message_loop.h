// The message loops of the program: the main one and those of modal forms.
// Keyboard messages of a window with keyboard navigation (a form, the main
// window) go through the dialog manager first, so that Tab, the arrow keys,
// Enter on the default button and Alt plus a mnemonic work as in a dialog.
#pragma once

#include <windows.h>

#include <functional>

namespace win {

// Translates and dispatches one message that GetMessage or PeekMessage took.
void DispatchOneMessage(MSG& message);

// Runs until WM_QUIT, or until `done` returns true after a message (the
// modal loop of a form). A WM_QUIT seen by a modal loop is posted again for
// the main loop. `filter` sees each message first and may consume it.
void RunMessageLoop(const std::function<bool()>& done = {}, const std::function<bool(const MSG&)>& filter = {});

}  // namespace win
