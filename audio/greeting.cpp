#include "audio/greeting.h"

#include <ctime>

namespace {

bool local_hour(int64_t time, int* hour) {
  const auto seconds = static_cast<std::time_t>(time);
  if (static_cast<int64_t>(seconds) != time) return false;
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &seconds) != 0) return false;
#else
  if (localtime_r(&seconds, &local) == nullptr) return false;
#endif
  *hour = local.tm_hour;
  return true;
}

}  // namespace

const char* greeting_for_hour(int64_t time) {
  int hour = 0;
  if (!local_hour(time, &hour)) hour = 0;
  if (hour < 11) return "oha";
  if (hour < 18) return "konni";
  return "konban";
}
