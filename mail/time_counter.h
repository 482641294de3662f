// The time-out counter of a socket component: a one-second timer counting
// down from a start value. Once it has run out it stays expired until
// ClearExpired, also across later starts.
#pragma once

#include "platform/timer.h"

class TTimeCounter {
 public:
  TTimeCounter();

  // remaining := start value; the timer starts a fresh second.
  void Start();
  void Stop();

  bool Expired() const { return expired_; }
  void ClearExpired() { expired_ = false; }
  int StartValue() const { return start_value_; }
  void SetStartValue(int seconds) { start_value_ = seconds; }
  int Remaining() const { return remaining_; }

 private:
  void Tick();

  int remaining_ = 0;
  int start_value_ = 60;
  bool expired_ = false;
  platform::TTimer timer_;  // last: its ticks use the fields above
};
