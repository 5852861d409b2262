// The local wall clock, to the minute: what the time-stamped output names use.
#pragma once

namespace platform {

struct LocalTime {
  int year = 0;  // all digits, e.g. 2024
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
};

// The current local time; on POSIX hosts the TZ variable is honoured.
LocalTime GetLocalTime();

}  // namespace platform
