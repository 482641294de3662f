#include "mail/time_counter.h"

TTimeCounter::TTimeCounter() : timer_(1000, [this] { Tick(); }) {}

void TTimeCounter::Start() {
  remaining_ = start_value_;
  timer_.SetEnabled(true);
}

void TTimeCounter::Stop() { timer_.SetEnabled(false); }

void TTimeCounter::Tick() {
  --remaining_;
  if (remaining_ <= 0) expired_ = true;
}
