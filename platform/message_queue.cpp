// The thread's messages: sent, posted, input, paint and timer, in the order
// GetMessageA hands them out.
#include "platform/clock.h"
#include "platform/window_store.h"

using namespace platform;

namespace {

bool is_within(HWND hwnd, HWND ancestor) {
  for (window_record* w = find_window(hwnd); w; w = find_window(w->parent)) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

bool matches(const MSG& m, HWND filter, UINT first, UINT last) {
  if (filter && !is_within(m.hwnd, filter)) return false;
  if ((first || last) && (m.message < first || m.message > last)) return false;
  return true;
}

MSG make_msg(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG m{};
  m.hwnd = hwnd;
  m.message = message;
  m.wParam = wparam;
  m.lParam = lparam;
  m.time = GetTickCount();
  return m;
}

// The dialog that a window belongs to, if any.
window_record* dialog_of(HWND hwnd) {
  window_record* top = find_window(top_level_of(hwnd));
  return top && top->kind == control_kind::dialog ? top : nullptr;
}

// Enter and Escape in a dialog become the command of its default button and
// IDCANCEL, as the dialog manager does.
void translate_dialog_key(MSG& m) {
  if (m.message != WM_KEYDOWN || (m.wParam != VK_RETURN && m.wParam != VK_ESCAPE)) return;
  window_record* dialog = dialog_of(m.hwnd);
  if (!dialog) return;
  int id = IDCANCEL;
  if (m.wParam == VK_RETURN) {
    id = dialog->default_id;
    window_record* focus = find_window(store().focus);
    if (focus && focus->kind == control_kind::button && focus->parent == dialog->handle)
      id = focus->id;
  }
  HWND dialog_handle = dialog->handle;
  HWND control = GetDlgItem(dialog_handle, id);
  m = make_msg(dialog_handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(control));
}

bool take_input(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  auto& input = store().input;
  while (!input.empty()) {
    MSG m = input.front();
    if (!m.hwnd) m.hwnd = find_window(store().focus) ? store().focus : store().active;
    // A person cannot reach a hidden or disabled window: such input is lost.
    if (!find_window(m.hwnd) || !enabled_in_chain(m.hwnd) || !visible_in_chain(m.hwnd)) {
      input.pop_front();
      continue;
    }
    translate_dialog_key(m);
    if (!matches(m, filter, first, last)) return false;
    if (remove) input.pop_front();
    *msg = m;
    msg->time = GetTickCount();
    return true;
  }
  return false;
}

bool take_paint(MSG* msg, HWND filter, UINT first, UINT last) {
  for (auto& [value, w] : store().windows) {
    if (!w->needs_paint || !visible_in_chain(w->handle)) continue;
    MSG m = make_msg(w->handle, WM_PAINT, 0, 0);
    if (!matches(m, filter, first, last)) continue;
    *msg = m;
    return true;
  }
  return false;
}

bool take_timer(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  int64_t now = current_clock().monotonic_ms();
  timer_record* due = nullptr;
  for (auto& t : store().timers) {
    if (t.next_due_ms > now) continue;
    MSG m = make_msg(t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
    if (!matches(m, filter, first, last)) continue;
    if (!due || t.next_due_ms < due->next_due_ms) due = &t;
  }
  if (!due) return false;
  *msg = make_msg(due->hwnd, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc));
  // One WM_TIMER at a time: ticks missed while the thread was busy coalesce.
  if (remove) due->next_due_ms = now + due->period_ms;
  return true;
}

}  // namespace

namespace platform {

bool fetch_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
  window_store& s = store();
  for (auto it = s.posted.begin(); it != s.posted.end(); ++it) {
    if (!matches(*it, filter, first, last)) continue;
    *msg = *it;
    if (remove) s.posted.erase(it);
    return true;
  }
  if (s.quit_pending) {
    *msg = make_msg(nullptr, WM_QUIT, static_cast<WPARAM>(s.quit_code), 0);
    if (remove) s.quit_pending = false;
    return true;
  }
  if (take_input(msg, filter, first, last, remove)) return true;
  if (take_paint(msg, filter, first, last)) return true;
  return take_timer(msg, filter, first, last, remove);
}

std::optional<int64_t> next_timer_due() {
  std::optional<int64_t> due;
  for (const auto& t : store().timers) {
    if (!due || t.next_due_ms < *due) due = t.next_due_ms;
  }
  return due;
}

bool wait_message(MSG* msg) {
  while (!fetch_message(msg, nullptr, 0, 0, true)) current_view().wait_for_input(next_timer_due());
  return msg->message != WM_QUIT;
}

}  // namespace platform

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return call_window_procedure(hwnd, message, wparam, lparam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (hwnd && !find_window(hwnd)) {
    SetLastError(1400);
    return FALSE;
  }
  store().posted.push_back(make_msg(hwnd, message, wparam, lparam));
  return TRUE;
}

void WINAPI PostQuitMessage(int exit_code) {
  store().quit_pending = true;
  store().quit_code = exit_code;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last) {
  if (!msg) return -1;
  if (hwnd && !find_window(hwnd)) {
    SetLastError(1400);
    return -1;
  }
  while (!fetch_message(msg, hwnd, first, last, true)) {
    if (hwnd && !find_window(hwnd)) return -1;
    current_view().wait_for_input(next_timer_due());
  }
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
  if (!msg || (hwnd && !find_window(hwnd))) return FALSE;
  return fetch_message(msg, hwnd, first, last, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
  // Typed characters arrive as WM_CHAR already; there is nothing to add.
  return msg && msg->message == WM_KEYDOWN ? TRUE : FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (!find_window(msg->hwnd)) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
