#include "platform/message_pump.h"

// The native build has no window messages. Socket and timer events of the
// native backend are delivered from here once that backend registers them.
void ProcessPendingMessages() {}
