// When the pause before a capture is over. The pause is measured on the
// time of day, so a pause that crosses midnight needs its own rule.
#pragma once

struct TTimeOfDay {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

double SecondsSinceMidnight(const TTimeOfDay& time);

class TPauseDeadline {
 public:
  TPauseDeadline(const TTimeOfDay& start, double seconds);
  // True once `now` lies past the end of the pause.
  bool Over(const TTimeOfDay& now) const;

 private:
  double start_;
  int startHour_;
  double seconds_;
};
