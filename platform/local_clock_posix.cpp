#include <time.h>

#include "platform/local_clock.h"

namespace platform {

LocalTime GetLocalTime() {
  tzset();  // localtime_r need not read TZ by itself
  time_t now = time(nullptr);
  struct tm parts {};
  localtime_r(&now, &parts);
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                   parts.tm_min};
}

}  // namespace platform
