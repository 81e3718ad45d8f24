// "The current time" for the card events and the sound: the system's wall
// clock as seconds since 1970-01-01 00:00 UTC, 64 bits wide.
#include "attendance/clock.h"
#include "platform/win32.h"

int64_t current_time() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const uint64_t intervals =
      (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr int64_t seconds_from_1601_to_1970 = 11644473600LL;
  return static_cast<int64_t>(intervals / 10000000ULL) - seconds_from_1601_to_1970;
}
