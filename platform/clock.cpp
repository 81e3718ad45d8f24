#include "platform/clock.h"

#include <chrono>
#include <thread>

#include "platform/win32_window.h"

namespace platform {
namespace {

class real_clock final : public clock_source {
 public:
  int64_t monotonic_ms() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  int64_t wall_100ns() override {
    auto since_1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
    return filetime_unix_epoch + since_1970 / 100;
  }
  void sleep_ms(int64_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

real_clock the_real_clock;
clock_source* clock_in_use = &the_real_clock;

}  // namespace

clock_source& current_clock() { return *clock_in_use; }
void set_clock(clock_source* c) { clock_in_use = c ? c : &the_real_clock; }

}  // namespace platform

void WINAPI Sleep(DWORD ms) { platform::current_clock().sleep_ms(ms); }

DWORD WINAPI GetTickCount() {
  return static_cast<DWORD>(platform::current_clock().monotonic_ms());
}

uint64_t WINAPI GetTickCount64() {
  return static_cast<uint64_t>(platform::current_clock().monotonic_ms());
}

void WINAPI GetSystemTimeAsFileTime(LPFILETIME time) {
  if (!time) return;
  auto t = static_cast<uint64_t>(platform::current_clock().wall_100ns());
  time->dwLowDateTime = static_cast<DWORD>(t);
  time->dwHighDateTime = static_cast<DWORD>(t >> 32);
}
