// "Let the application process its pending messages": long encodings and
// every socket wait call this so that the user interface stays responsive on
// the one user-interface thread.
#pragma once

// Handles what is waiting and returns at once; it never blocks. It is cheap
// enough to call once per encoded line: it only asks the system for messages
// when about a millisecond has passed since it last did.
void ProcessPendingMessages();

// For waits: handles what is waiting; if nothing was, blocks until a message
// (socket event, timer, input) arrives or `max_wait_ms` pass, and handles
// that. A wait loop calls this between checks of the flag it waits for, so
// it neither spins the processor nor delays a message noticeably.
void WaitForMessages(unsigned max_wait_ms);
