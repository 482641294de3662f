#include "capture/pause_rule.h"

namespace {
constexpr double kSecondsPerDay = 86400;
}

double SecondsSinceMidnight(const TTimeOfDay& time) {
  return time.Hour * 3600.0 + time.Minute * 60.0 + time.Second + time.Millisecond / 1000.0;
}

TPauseDeadline::TPauseDeadline(const TTimeOfDay& start, double seconds)
    : start_(SecondsSinceMidnight(start)), startHour_(start.Hour), seconds_(seconds) {}

bool TPauseDeadline::Over(const TTimeOfDay& now) const {
  const double t = SecondsSinceMidnight(now);
  // Past midnight the clock restarts at 0: what is left of the pause is its
  // length minus the seconds that were left of the old day.
  if (now.Hour == 0 && startHour_ == 23) return t > seconds_ - (kSecondsPerDay - start_);
  return t > start_ + seconds_;
}
