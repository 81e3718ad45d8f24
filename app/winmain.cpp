// The program entry: start-up, the message loop and the exit status.
#include "app/app_instance.h"
#include "app/main_window.h"
#include "attendance/roster.h"
#include "audio/sound_mode.h"

HINSTANCE app_instance;

namespace {
constexpr UINT_PTR poll_timer_id = 100;
constexpr UINT poll_period_ms = 3000;
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  app_instance = instance;
  sound_mode_load();
  play_startup_sound();
  roster_load();
  HWND window = main_window_create(app_instance);
  if (window == nullptr) {
    MessageBoxA(nullptr, "ウィンドウの作成に失敗しました", "エラー", MB_OK);
    return 1;
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetTimer(window, poll_timer_id, poll_period_ms, nullptr);

  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  KillTimer(window, poll_timer_id);
  return 0;
}
