// Retrieval order, timers, Sleep and the virtual clocks.
#include <gtest/gtest.h>

#include "platform/headless.h"
#include "platform/input.h"
#include "platform/win32.h"
#include "recording.h"

namespace {

using recording::log;

class timer_test : public ::testing::Test {
 protected:
  void SetUp() override {
    recording::start();
    main = recording::create_main(recording::program_module());
    ASSERT_NE(main, nullptr);
    headless::run_until_idle();
    log().clear();
  }
  std::vector<DWORD> tick_times() {
    std::vector<DWORD> out;
    for (const auto& e : log()) {
      if (e.message == WM_TIMER) out.push_back(static_cast<DWORD>(e.wparam));
    }
    return out;
  }
  HWND main = nullptr;
};

TEST_F(timer_test, get_message_order_posted_quit_input_paint_timer) {
  SetTimer(main, 100, 100, nullptr);
  Sleep(100);
  InvalidateRect(main, nullptr, FALSE);
  platform::input_key(main, VK_RETURN);
  PostMessageA(main, WM_USER, 0, 0);
  PostMessageA(main, WM_USER + 1, 0, 0);
  std::vector<UINT> order;
  MSG msg;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    order.push_back(msg.message);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_KEYDOWN, WM_PAINT, WM_TIMER}));

  PostMessageA(main, WM_USER, 0, 0);
  PostQuitMessage(3);
  InvalidateRect(main, nullptr, FALSE);
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(timer_test, ticks_missed_during_a_long_sleep_coalesce_into_one) {
  std::vector<DWORD> times;
  bool slept = false;
  recording::window_handlers()[WM_TIMER] = [&](HWND, UINT, WPARAM, LPARAM) {
    times.push_back(GetTickCount());
    if (!slept) {
      slept = true;
      Sleep(10000);  // the thread does nothing meanwhile
    }
    return LRESULT{0};
  };
  SetTimer(main, 100, 3000, nullptr);
  headless::run_for_seconds(20);
  EXPECT_EQ(times, (std::vector<DWORD>{3000, 13000, 16000, 19000}));
  EXPECT_EQ(GetTickCount(), 20000u);
}

TEST_F(timer_test, an_hour_of_ticks_runs_on_the_virtual_clock) {
  SetTimer(main, 100, 3000, nullptr);
  headless::run_for_seconds(3600);
  EXPECT_EQ(tick_times().size(), 1200u);
  EXPECT_EQ(headless::now_ms(), 3600000);
}

TEST_F(timer_test, kill_timer_stops_and_set_timer_restarts_the_period) {
  SetTimer(main, 100, 3000, nullptr);
  SetTimer(main, 7, 1000, nullptr);
  headless::run_for_seconds(2.5);  // 7 at 1000 and 2000
  SetTimer(main, 7, 1000, nullptr);  // restarts at 2500: next at 3500
  EXPECT_TRUE(KillTimer(main, 100));
  headless::run_for_seconds(1.5);
  EXPECT_EQ(tick_times(), (std::vector<DWORD>{7, 7, 7}));
  EXPECT_FALSE(KillTimer(main, 100));
}

TEST_F(timer_test, wall_clock_follows_the_virtual_clock_from_a_chosen_date) {
  auto unix_seconds = [] {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    int64_t t = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (t - 116444736000000000LL) / 10000000;
  };
  EXPECT_EQ(unix_seconds(), 1775034000);  // the default: 2026-04-01 09:00 UTC
  headless::set_wall_clock(1767225599);    // 2025-12-31 23:59:59 UTC
  EXPECT_EQ(unix_seconds(), 1767225599);
  Sleep(1000);
  EXPECT_EQ(unix_seconds(), 1767225600);
  SetTimer(main, 100, 3000, nullptr);
  headless::run_for_seconds(60);
  EXPECT_EQ(unix_seconds(), 1767225660);
}

TEST_F(timer_test, a_program_loop_with_nothing_to_end_it_is_reported_not_hung) {
  MSG msg;
  EXPECT_THROW(GetMessageA(&msg, nullptr, 0, 0), headless::stuck);
  SetTimer(main, 100, 3000, nullptr);
  headless::after_seconds(10, [&] { DestroyWindow(main); PostQuitMessage(0); });
  int ticks = 0;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ticks += msg.message == WM_TIMER;
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(headless::now_ms(), 10000);
}

}  // namespace
