#include <windows.h>

#include "platform/local_clock.h"

namespace platform {

LocalTime GetLocalTime() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

}  // namespace platform
