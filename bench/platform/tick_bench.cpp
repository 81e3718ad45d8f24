// One poll tick through the headless message loop (the timer found due, the
// virtual clock moved to it, WM_TIMER dispatched, the whole client area
// invalidated and repainted with one line of text), against its floor in the
// same run: the same WM_TIMER and WM_PAINT handed to the window procedure
// directly with SendMessageA. Goal: at most 2 times the floor. A third
// figure is the hour of ticks (1200) that a scenario test runs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "platform/headless.h"
#include "platform/win32.h"
#include "bench/ratio_reporter.h"

namespace {

LRESULT CALLBACK tick_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      SetRect(&r, 0, 0, 400, 300);
      SetTextColor(dc, RGB(0, 255, 255));
      DrawTextA(dc, "2026/04/01 09:00:00\tin\tsample\n", -1, &r, DT_EXPANDTABS);
      EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

HWND start_window() {
  headless::reset();
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = tick_proc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "bench";
  RegisterClassExA(&wc);
  HWND hwnd = CreateWindowExA(0, "bench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  return hwnd;
}

void floor_of_a_tick(benchmark::State& state) {
  HWND hwnd = start_window();
  for (auto _ : state) {
    SendMessageA(hwnd, WM_TIMER, 100, 0);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    headless::clear_drawing();
  }
}
BENCHMARK(floor_of_a_tick);

void tick_through_the_loop(benchmark::State& state) {
  HWND hwnd = start_window();
  SetTimer(hwnd, 100, 3000, nullptr);
  for (auto _ : state) {
    headless::run_for_ms(3000);
    headless::clear_drawing();
  }
}
BENCHMARK(tick_through_the_loop);

void hour_of_ticks(benchmark::State& state) {
  for (auto _ : state) {
    HWND hwnd = start_window();
    SetTimer(hwnd, 100, 3000, nullptr);
    headless::run_for_seconds(3600);
  }
}
BENCHMARK(hour_of_ticks)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ratio_reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  auto floor = reporter.times.find("floor_of_a_tick");
  auto tick = reporter.times.find("tick_through_the_loop");
  if (floor == reporter.times.end() || tick == reporter.times.end()) return 0;
  double ratio = tick->second / floor->second;
  std::printf("tick through the loop / floor = %.2f (goal: at most 2.00) %s\n", ratio,
              ratio <= 2.0 ? "met" : "NOT MET");
  return 0;
}
