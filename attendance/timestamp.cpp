#include "attendance/timestamp.h"

#include <cstdio>
#include <cstring>
#include <ctime>

void format_timestamp(int64_t time, char text[timestamp_size]) {
  const std::time_t value = static_cast<std::time_t>(time);
  std::tm local{};
#ifdef _WIN32
  const bool broken_down = value == time && localtime_s(&local, &value) == 0;
#else
  const bool broken_down = value == time && localtime_r(&value, &local) != nullptr;
#endif
  if (!broken_down) {
    std::memcpy(text, "0000/00/00 00:00:00", timestamp_size);
    return;
  }
  const int year = 2000 + ((local.tm_year + 1900) % 100 + 100) % 100;
  // The fields of a broken-down time fit their two digits; the roomy buffer
  // only keeps the compiler from having to know that.
  char printed[64];
  std::snprintf(printed, sizeof printed, "%04d/%02d/%02d %02d:%02d:%02d", year,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec);
  std::memcpy(text, printed, timestamp_size - 1);
  text[timestamp_size - 1] = '\0';
}
