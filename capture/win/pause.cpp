#include "capture/win/pause.h"

#include "capture/pause_rule.h"
#include "platform/message_pump.h"
#include "platform/win32/windows_api.h"

namespace {

TTimeOfDay Now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return {time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

}  // namespace

void PauseForNoSpeed(double seconds) {
  const TPauseDeadline deadline(Now(), seconds);
  // Sleeping on the queue in short steps handles every message as it comes
  // without keeping a processor busy.
  do {
    WaitForMessages(5);
  } while (!deadline.Over(Now()));
}
