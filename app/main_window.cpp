// The main window: creation, painting, commands, closing.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/app_instance.h"
#include "attendance/card_event.h"
#include "attendance/presence.h"
#include "attendance/roster.h"
#include "audio/sound_mode.h"

HWND main_window;
HWND counter_label;
HWND presence_list;
HWND change_sound_button;

namespace {

constexpr UINT_PTR poll_timer_id = 100;
constexpr int window_width = 400;
constexpr int window_height = 300;

// Text colours by roster index modulo 4.
constexpr COLORREF event_colours[4] = {
    RGB(0, 255, 255), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 170, 255)};

void create_controls(HWND window, const CREATESTRUCTA* creation) {
  counter_label = CreateWindowExA(0, "STATIC", "出勤者一覧", WS_CHILD | WS_VISIBLE | SS_CENTER,
                                  0, 30, 200, 45, window, reinterpret_cast<HMENU>(1),
                                  creation->hInstance, nullptr);
  presence_list = CreateWindowExA(
      0, "LISTBOX", nullptr,
      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT, 10, 60, 200, 100,
      window, reinterpret_cast<HMENU>(1), creation->hInstance, nullptr);
  change_sound_button = CreateWindowExA(0, "BUTTON", "ChangeSound", WS_CHILD | WS_VISIBLE, 20,
                                        170, 120, 40, window, reinterpret_cast<HMENU>(0),
                                        app_instance, nullptr);
}

void paint(HWND window) {
  PAINTSTRUCT paint_info;
  HDC dc = BeginPaint(window, &paint_info);
  RECT text_area;
  SetRect(&text_area, 0, 0, window_width, window_height);
  if (repaint_pending == 1) {
    // The tick's repaint does not erase, so the previous event's line is
    // removed here. The brush is deselected before it is deleted: a brush
    // still selected into a device context can not be deleted.
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ previous = SelectObject(dc, white);
    PatBlt(dc, 1, 1, window_width, window_height, PATCOPY);
    SelectObject(dc, previous);
    DeleteObject(white);
    repaint_pending = 0;
  }
  SetTextColor(dc, event_colours[current_index % 4]);
  DrawTextA(dc, event_text, -1, &text_area, DT_EXPANDTABS);
  EndPaint(window, &paint_info);
}

void on_command(HWND window, WORD id) {
  switch (id) {
    case 0:
      sound_mode_cycle();
      break;
    case 204:
      SendMessageA(window, WM_CLOSE, 0, 0);
      break;
    case 209:
      show_about_box(window);
      break;
    default:
      break;
  }
}

}  // namespace

HWND main_window_create(HINSTANCE instance) {
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = main_window_proc;
  window_class.cbClsExtra = 0;
  window_class.cbWndExtra = 0;
  window_class.hInstance = instance;
  window_class.hIcon = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(300), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
  window_class.hIconSm = window_class.hIcon;
  window_class.hCursor = static_cast<HCURSOR>(
      LoadImageA(nullptr, IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszMenuName = "MYMENU";
  window_class.lpszClassName = "Default Class Name";
  if (RegisterClassExA(&window_class) == 0) return nullptr;

  const int x = (GetSystemMetrics(SM_CXSCREEN) - window_width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - window_height) / 2;
  return CreateWindowExA(0, "Default Class Name", "パソリで入退室管理:PORTELIA",
                         WS_OVERLAPPEDWINDOW, x, y, window_width, window_height, nullptr, nullptr,
                         instance, nullptr);
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      main_window = window;
      create_controls(window, reinterpret_cast<const CREATESTRUCTA*>(lparam));
      presence_list_fill(presence_list_add);
      current_index = roster.count;
      return 0;
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_COMMAND:
      on_command(window, LOWORD(wparam));
      return 0;
    case WM_CLOSE:
      if (MessageBoxA(window, "終了してもよろしいですか", "確認", MB_YESNO | MB_ICONQUESTION) ==
          IDYES) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_TIMER:
      if (wparam == poll_timer_id) {
        on_card_tick(window);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}
