// A small program run headless from start to close: start-up, ticks, a
// dialog opened by a tick, the close confirmation and the exit status.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"
#include "platform/win32.h"
#include "recording.h"

namespace {

HINSTANCE instance;
std::string event_text;
int ticks;

INT_PTR CALLBACK ask_name(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextA(GetDlgItem(dialog, 102), "ここに入力");
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == 100 || LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        char name[256];
        GetWindowTextA(GetDlgItem(dialog, 102), name, sizeof name);
        event_text = std::string(name) + "\n";
        Sleep(1000);
        EndDialog(dialog, 1);
      }
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return TRUE;
  }
  return FALSE;
}

LRESULT CALLBACK sample_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam != 100) break;
      if (++ticks == 2) DialogBoxParamA(instance, "MYDIALOG", hwnd, ask_name, 0);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      SetRect(&r, 0, 0, 400, 300);
      SetTextColor(dc, RGB(0, 0, 255));
      DrawTextA(dc, event_text.c_str(), -1, &r, DT_EXPANDTABS);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == 204) SendMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      if (MessageBoxA(hwnd, "終了してもよろしいですか", "確認", MB_YESNO | MB_ICONQUESTION) == IDYES)
        DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

int sample_main(HINSTANCE module) {
  instance = module;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = sample_proc;
  wc.hInstance = module;
  wc.hIcon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(300), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
  wc.hCursor = static_cast<HCURSOR>(LoadImageA(nullptr, IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = "MYMENU";
  wc.lpszClassName = "Default Class Name";
  HWND hwnd = nullptr;
  if (RegisterClassExA(&wc)) {
    hwnd = CreateWindowExA(0, "Default Class Name", "sample", WS_OVERLAPPEDWINDOW,
                           (GetSystemMetrics(SM_CXSCREEN) - 400) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - 300) / 2, 400, 300, nullptr, nullptr,
                           module, nullptr);
  }
  if (!hwnd) {
    MessageBoxA(nullptr, "ウィンドウの作成に失敗しました", "エラー", MB_OK);
    return 1;
  }
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  SetTimer(hwnd, 100, 3000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  KillTimer(hwnd, 100);
  return 0;
}

class cycle_test : public ::testing::Test {
 protected:
  void SetUp() override {
    recording::start();
    event_text.clear();
    ticks = 0;
  }
};

TEST_F(cycle_test, start_tick_dialog_and_close) {
  std::vector<std::string> modal_captions;
  headless::on_modal_loop([&](HWND dialog) {
    modal_captions.push_back(headless::text_of(dialog));
    if (headless::text_of(dialog) == "Form") {
      headless::replace_text(GetDlgItem(dialog, 102), "山田");
      headless::press_enter();
    } else {
      headless::press_button(modal_captions.size() == 2 ? "いいえ" : "はい");
    }
  });
  headless::after_seconds(10, [] { headless::close_box(headless::find_window("sample")); });
  headless::after_seconds(20, [] { headless::choose_menu_item(headless::find_window("sample"), 204); });

  EXPECT_EQ(sample_main(recording::program_module()), 0);
  EXPECT_EQ(modal_captions, (std::vector<std::string>{"Form", "確認", "確認"}));
  EXPECT_EQ(event_text, "山田\n");
  // Ticks at 3, 6 (the dialog, then 1 s of waiting), 10 and 13 ... 19 s.
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(headless::now_ms(), 20000);
  EXPECT_EQ(headless::find_window("sample"), nullptr);
}

TEST_F(cycle_test, a_window_that_cannot_be_created_is_reported) {
  std::string shown;
  headless::on_modal_loop([&](HWND box) {
    shown = headless::text_of(GetDlgItem(box, 0xFFFF));
    headless::press_enter();
  });
  headless::fail_next_create_window();
  EXPECT_EQ(sample_main(recording::program_module()), 1);
  EXPECT_EQ(shown, "ウィンドウの作成に失敗しました");
}

}  // namespace
