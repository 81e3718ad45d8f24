// Window timers on the monotonic clock.
#include <algorithm>

#include "platform/clock.h"
#include "platform/window_store.h"

using namespace platform;

namespace platform {

void kill_timers_of(HWND hwnd) {
  auto& timers = store().timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [hwnd](const timer_record& t) { return t.hwnd == hwnd; }),
               timers.end());
}

}  // namespace platform

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
  window_store& s = store();
  if (hwnd && !find_window(hwnd)) {
    s.last_error = 1400;
    return 0;
  }
  if (elapse_ms < USER_TIMER_MINIMUM) elapse_ms = USER_TIMER_MINIMUM;
  if (elapse_ms > 0x7FFFFFFF) elapse_ms = 0x7FFFFFFF;
  if (!hwnd) {
    bool exists = std::any_of(s.timers.begin(), s.timers.end(), [id](const timer_record& t) {
      return !t.hwnd && t.id == id;
    });
    if (id == 0 || !exists) id = s.next_timer_id++;
  }
  int64_t now = current_clock().monotonic_ms();
  for (auto& t : s.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.period_ms = elapse_ms;
      t.next_due_ms = now + elapse_ms;
      t.proc = proc;
      return hwnd ? 1 : id;
    }
  }
  timer_record t;
  t.hwnd = hwnd;
  t.id = id;
  t.period_ms = elapse_ms;
  t.next_due_ms = now + elapse_ms;
  t.proc = proc;
  s.timers.push_back(t);
  return hwnd ? 1 : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  auto& timers = store().timers;
  auto it = std::find_if(timers.begin(), timers.end(), [&](const timer_record& t) {
    return t.hwnd == hwnd && t.id == id;
  });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}
