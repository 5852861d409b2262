#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

#include "platform/local_clock.h"

namespace {

// Sets TZ for the test's lifetime and puts the old value back.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = getenv("TZ")) previous_ = old;
    setenv("TZ", zone, 1);
  }
  ~ScopedTimeZone() {
    if (previous_) {
      setenv("TZ", previous_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> previous_;
};

// The wall clock of `now` shifted east by `offsetMinutes`, to the minute.
platform::LocalTime Shifted(time_t now, int offsetMinutes) {
  time_t shifted = now + offsetMinutes * 60;
  struct tm parts {};
  gmtime_r(&shifted, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min};
}

bool Same(const platform::LocalTime& a, const platform::LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute;
}

class LocalClock : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(LocalClock, FollowsTheTimeZoneVariable) {
  ScopedTimeZone zone(GetParam().first);
  // Read twice around the clock so a minute turning over in between is not
  // taken for a wrong zone.
  time_t before = time(nullptr);
  platform::LocalTime local = platform::GetLocalTime();
  time_t after = time(nullptr);
  EXPECT_TRUE(Same(local, Shifted(before, GetParam().second)) ||
              Same(local, Shifted(after, GetParam().second)))
      << GetParam().first << ": " << local.year << "-" << local.month << "-" << local.day << " "
      << local.hour << ":" << local.minute;
}

INSTANTIATE_TEST_SUITE_P(Zones, LocalClock,
                         ::testing::Values(std::pair{"UTC0", 0}, std::pair{"<+1345>-13:45", 825},
                                           std::pair{"<-0930>9:30", -570}));

}  // namespace
