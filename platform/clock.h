// The two clocks behind Sleep, GetTickCount, the timers and
// GetSystemTimeAsFileTime. Real by default; the headless view puts a virtual
// clock in their place.
#pragma once

#include <cstdint>

namespace platform {

class clock_source {
 public:
  clock_source() = default;
  clock_source(const clock_source&) = delete;
  clock_source& operator=(const clock_source&) = delete;
  virtual ~clock_source() = default;
  // Monotonic milliseconds; drives timers, Sleep and tone lengths.
  virtual int64_t monotonic_ms() = 0;
  // Wall clock: 100-ns intervals since 1601-01-01 00:00 UTC.
  virtual int64_t wall_100ns() = 0;
  // Holds the thread for `ms` milliseconds.
  virtual void sleep_ms(int64_t ms) = 0;
};

clock_source& current_clock();
// Null puts the real clock back. Does not take ownership.
void set_clock(clock_source* c);

// 100-ns intervals from 1601-01-01 to 1970-01-01.
constexpr int64_t filetime_unix_epoch = 116444736000000000LL;

}  // namespace platform
