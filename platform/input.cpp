#include "platform/input.h"

#include "platform/menu.h"
#include "platform/window_store.h"

namespace platform {
namespace {

void queue(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG m{};
  m.hwnd = hwnd;
  m.message = message;
  m.wParam = wparam;
  m.lParam = lparam;
  store().input.push_back(m);
}

LPARAM centre_of(const window_record& w) {
  RECT c = client_rect_of(w);
  return MAKELONG(c.right / 2, c.bottom / 2);
}

}  // namespace

bool input_click(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) return false;
  LPARAM at = centre_of(*w);
  queue(hwnd, WM_LBUTTONDOWN, 0, at);
  queue(hwnd, WM_LBUTTONUP, 0, at);
  return true;
}

bool input_double_click(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) return false;
  LPARAM at = centre_of(*w);
  queue(hwnd, WM_LBUTTONDOWN, 0, at);
  queue(hwnd, WM_LBUTTONUP, 0, at);
  queue(hwnd, WM_LBUTTONDBLCLK, 0, at);
  queue(hwnd, WM_LBUTTONUP, 0, at);
  return true;
}

bool input_click_list_item(HWND list, int index) {
  window_record* w = find_window(list);
  if (!w || w->kind != control_kind::list_box || index < 0) return false;
  int row_height = current_view().system_font().height;
  LPARAM at = MAKELONG(4, index * row_height + row_height / 2);
  queue(list, WM_LBUTTONDOWN, 0, at);
  queue(list, WM_LBUTTONUP, 0, at);
  return true;
}

bool input_type_text(HWND edit, std::string_view text) {
  if (!input_click(edit)) return false;
  for (char c : text) queue(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
  return true;
}

bool input_replace_text(HWND edit, std::string_view text) {
  if (!input_click(edit)) return false;
  queue(edit, EM_SETSEL, 0, -1);
  if (text.empty()) queue(edit, WM_CHAR, VK_BACK, 1);
  for (char c : text) queue(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
  return true;
}

bool input_key(HWND hwnd, WPARAM virtual_key) {
  // Without a window the key goes where the focus is when it is delivered
  // (input queued before it may move the focus).
  if (hwnd && !find_window(hwnd)) return false;
  queue(hwnd, WM_KEYDOWN, virtual_key, 1);
  return true;
}

bool input_close_box(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w || w->parent || !(w->style & WS_SYSMENU)) return false;
  queue(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

bool input_choose_menu_item(HWND hwnd, WORD id) {
  window_record* w = find_window(hwnd);
  if (!w || w->parent || !menu_has_command(w->menu, id)) return false;
  queue(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return true;
}

}  // namespace platform
