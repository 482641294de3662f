// "Let the application process its pending messages": long encodings and
// every socket wait call this so that the user interface stays responsive on
// the one user-interface thread. It handles what is waiting and returns at
// once; it never blocks.
#pragma once

void ProcessPendingMessages();
