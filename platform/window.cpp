// Window classes and windows: registration, creation, destruction, showing,
// texts, window words and the default window procedure.
#include <algorithm>
#include <cstring>

#include "platform/sjis.h"
#include "platform/window_store.h"

using namespace platform;

namespace {

constexpr DWORD error_invalid_window_handle = 1400;
constexpr DWORD error_class_already_exists = 1410;
constexpr DWORD error_cannot_find_wnd_class = 1407;
constexpr DWORD error_invalid_parameter = 87;
constexpr DWORD error_tlw_with_wschild = 1406;

void invalidate_whole(window_record& w, bool erase) {
  w.needs_paint = true;
  w.needs_erase = w.needs_erase || erase;
  w.update = client_rect_of(w);
}

// Collects the window's children and their children, parents first.
void collect_subtree(HWND hwnd, std::vector<HWND>& out) {
  window_record* w = find_window(hwnd);
  if (!w) return;
  out.push_back(hwnd);
  std::vector<HWND> children = w->children;
  for (HWND c : children) collect_subtree(c, out);
}

void free_window(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) return;
  if (w->parent) {
    if (window_record* p = find_window(w->parent)) {
      auto& c = p->children;
      c.erase(std::remove(c.begin(), c.end(), hwnd), c.end());
    }
  }
  if (!w->parent && w->menu) destroy_menu_tree(w->menu);
  kill_timers_of(hwnd);
  release_dcs_of(hwnd);
  window_store& s = store();
  if (s.focus == hwnd) s.focus = nullptr;
  if (s.active == hwnd) s.active = nullptr;
  s.windows.erase(reinterpret_cast<uintptr_t>(hwnd));
  notify_view(hwnd, window_change::destroyed);
}

}  // namespace

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  window_store& s = store();
  if (!wc || !wc->lpfnWndProc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName)) {
    s.last_error = error_invalid_parameter;
    return 0;
  }
  if (s.fail_next_register_class) {
    s.fail_next_register_class = false;
    s.last_error = error_invalid_parameter;
    return 0;
  }
  if (find_class(wc->lpszClassName)) {
    s.last_error = error_class_already_exists;
    return 0;
  }
  window_class_record c;
  c.atom = s.next_atom++;
  c.name = wc->lpszClassName;
  c.style = wc->style;
  c.proc = wc->lpfnWndProc;
  c.instance = wc->hInstance;
  c.icon = wc->hIcon;
  c.icon_small = wc->hIconSm;
  c.cursor = wc->hCursor;
  c.background = wc->hbrBackground;
  if (wc->lpszMenuName) {
    c.has_menu = true;
    c.menu_name = IS_INTRESOURCE(wc->lpszMenuName)
                      ? "#" + std::to_string(reinterpret_cast<uintptr_t>(wc->lpszMenuName))
                      : std::string(wc->lpszMenuName);
  }
  s.classes.push_back(c);
  return c.atom;
}

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  window_store& s = store();
  const window_class_record* cls = find_class(class_name);
  if (!cls) {
    s.last_error = error_cannot_find_wnd_class;
    return nullptr;
  }
  bool child = (style & WS_CHILD) != 0;
  window_record* parent_record = find_window(parent);
  if (parent && !parent_record) {
    s.last_error = error_invalid_window_handle;
    return nullptr;
  }
  if (child && !parent_record) {
    s.last_error = error_tlw_with_wschild;
    return nullptr;
  }
  if (!child && s.fail_next_top_level_create) {
    s.fail_next_top_level_create = false;
    s.last_error = error_invalid_parameter;
    return nullptr;
  }

  auto w = std::make_unique<window_record>();
  HWND hwnd = reinterpret_cast<HWND>(new_handle_value());
  w->handle = hwnd;
  w->class_name = cls->name;
  w->kind = cls->kind;
  w->proc = cls->proc;
  w->class_background = cls->background;
  w->icon = cls->icon;
  w->instance = instance;
  w->text = window_name && !IS_INTRESOURCE(window_name) ? window_name : "";
  w->style = style & ~WS_VISIBLE;
  w->ex_style = ex_style;
  if (child) {
    w->parent = parent;
    w->id = static_cast<int>(reinterpret_cast<intptr_t>(menu));
  } else {
    w->owner = parent ? top_level_of(parent) : nullptr;
    if (menu) {
      w->menu = menu;
    } else if (cls->has_menu) {
      w->menu = LoadMenuA(cls->instance, cls->menu_name.c_str());
    }
  }
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = current_view().screen_width() * 3 / 4;
    height = current_view().screen_height() * 3 / 4;
  }
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  w->rect = RECT{x, y, x + width, y + height};

  s.windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(w));
  if (parent_record && child) parent_record->children.push_back(hwnd);
  notify_view(hwnd, window_change::created);

  CREATESTRUCTA cs{};
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parent;
  cs.cy = height;
  cs.cx = width;
  cs.y = y;
  cs.x = x;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = window_name;
  cs.lpszClass = class_name;
  cs.dwExStyle = ex_style;

  bool ok = SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) != 0 && IsWindow(hwnd);
  if (ok) ok = SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) != -1 && IsWindow(hwnd);
  if (!ok) {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) {
    store().last_error = error_invalid_window_handle;
    return FALSE;
  }
  if (w->destroying) return TRUE;

  // Owned top-level windows go first.
  std::vector<HWND> owned;
  for (auto& [value, other] : store().windows) {
    if (other->owner == hwnd && !other->destroying) owned.push_back(other->handle);
  }
  for (HWND o : owned) DestroyWindow(o);

  std::vector<HWND> subtree;
  collect_subtree(hwnd, subtree);
  for (HWND h : subtree) {
    if (window_record* r = find_window(h)) r->destroying = true;
  }
  if (window_record* r = find_window(hwnd); r && (r->style & WS_VISIBLE)) {
    r->style &= ~WS_VISIBLE;
    notify_view(hwnd, window_change::hidden);
  }
  // WM_DESTROY: the window first, then its children, while all still exist.
  for (HWND h : subtree) SendMessageA(h, WM_DESTROY, 0, 0);
  // WM_NCDESTROY and freeing: children first.
  for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) {
    SendMessageA(*it, WM_NCDESTROY, 0, 0);
    free_window(*it);
  }
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) { return find_window(hwnd) != nullptr; }

BOOL WINAPI ShowWindow(HWND hwnd, int command) {
  window_record* w = find_window(hwnd);
  if (!w) return FALSE;
  bool was_visible = (w->style & WS_VISIBLE) != 0;
  bool show = command != SW_HIDE;
  if (show != was_visible) {
    SendMessageA(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    w = find_window(hwnd);
    if (!w) return was_visible;
    if (show) {
      w->style |= WS_VISIBLE;
      invalidate_whole(*w, true);
      for (HWND c : w->children) {
        if (window_record* cr = find_window(c)) invalidate_whole(*cr, true);
      }
    } else {
      w->style &= ~WS_VISIBLE;
    }
    notify_view(hwnd, show ? window_change::shown : window_change::hidden);
  }
  if (show && !w->parent && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
      command != SW_SHOWMINNOACTIVE) {
    store().active = hwnd;
    HWND focus = store().focus;
    if (!focus || top_level_of(focus) != hwnd) store().focus = hwnd;
  }
  return was_visible ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) { return visible_in_chain(hwnd) ? TRUE : FALSE; }

BOOL WINAPI UpdateWindow(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) return FALSE;
  if (w->needs_paint && visible_in_chain(hwnd)) SendMessageA(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  window_record* w = find_window(hwnd);
  if (!w) return FALSE;
  bool was_disabled = (w->style & WS_DISABLED) != 0;
  if (was_disabled == !enable) return was_disabled;
  if (enable)
    w->style &= ~WS_DISABLED;
  else
    w->style |= WS_DISABLED;
  if (!enable && store().focus && top_level_of(store().focus) == top_level_of(hwnd) &&
      (store().focus == hwnd || !enabled_in_chain(store().focus)))
    store().focus = nullptr;
  notify_view(hwnd, window_change::enabled);
  SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return was_disabled;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  window_record* w = find_window(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!find_window(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int max_count) {
  if (!buffer || max_count <= 0 || !find_window(hwnd)) return 0;
  buffer[0] = '\0';
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(max_count),
                                       reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  if (!find_window(hwnd)) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
  window_record* w = find_window(hwnd);
  if (!w) {
    store().last_error = error_invalid_window_handle;
    return 0;
  }
  if (w->kind == control_kind::dialog && index >= 0) {
    switch (index) {
      case DWLP_MSGRESULT: return w->dialog_msg_result;
      case DWLP_DLGPROC: return reinterpret_cast<LONG_PTR>(w->dialog_proc);
      case DWLP_USER: return w->dialog_user;
    }
  }
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    case GWLP_ID: return w->id;
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->ex_style));
    case GWLP_USERDATA: return w->user_data;
  }
  store().last_error = error_invalid_parameter;
  return 0;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  window_record* w = find_window(hwnd);
  if (!w) {
    store().last_error = error_invalid_window_handle;
    return 0;
  }
  LONG_PTR old = GetWindowLongPtrA(hwnd, index);
  if (w->kind == control_kind::dialog && index >= 0) {
    switch (index) {
      case DWLP_MSGRESULT: w->dialog_msg_result = value; return old;
      case DWLP_DLGPROC: w->dialog_proc = reinterpret_cast<DLGPROC>(value); return old;
      case DWLP_USER: w->dialog_user = value; return old;
    }
  }
  switch (index) {
    case GWLP_WNDPROC:
      if (value) w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_ID: w->id = static_cast<int>(value); return old;
    case GWLP_USERDATA: w->user_data = value; return old;
    case GWL_STYLE:
      w->style = static_cast<DWORD>(value);
      notify_view(hwnd, window_change::geometry);
      return old;
    case GWL_EXSTYLE: w->ex_style = static_cast<DWORD>(value); return old;
  }
  store().last_error = error_invalid_parameter;
  return 0;
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
  return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}

HWND WINAPI GetParent(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) return nullptr;
  return w->parent ? w->parent : w->owner;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  window_record* w = find_window(dialog);
  if (!w) return nullptr;
  for (HWND c : w->children) {
    window_record* cr = find_window(c);
    if (cr && cr->id == id) return c;
  }
  return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
  window_record* w = find_window(hwnd);
  return w && w->parent ? w->id : 0;
}

HWND WINAPI SetFocus(HWND hwnd) {
  HWND old = store().focus;
  if (hwnd && !find_window(hwnd)) return nullptr;
  if (hwnd && !enabled_in_chain(hwnd)) return nullptr;
  if (hwnd == old) return old;
  if (old) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  store().focus = hwnd;
  if (hwnd) {
    SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    notify_view(hwnd, window_change::focus);
  }
  return old;
}

HWND WINAPI GetFocus() { return store().focus; }

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  window_record* w = find_window(hwnd);
  if (!w || !rect) return FALSE;
  *rect = client_rect_of(*w);
  return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  window_record* w = find_window(hwnd);
  if (!w || !rect) return FALSE;
  RECT r = w->rect;
  // Children are placed in their parent's client area: add the parents'
  // client origins up to the screen.
  for (window_record* p = find_window(w->parent); p; p = find_window(p->parent)) {
    RECT outer = outer_rect_for_client(p->style, p->menu != nullptr, RECT{0, 0, 0, 0});
    LONG dx = p->rect.left - outer.left;
    LONG dy = p->rect.top - outer.top;
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
  *rect = r;
  return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  window_record* w = find_window(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_CLOSE) SendMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = w->class_background;
      if (!brush) return 0;
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wparam), &r, brush);
      return 1;
    }
    case WM_SETTEXT: {
      LPCSTR text = reinterpret_cast<LPCSTR>(lparam);
      w->text = text ? text : "";
      notify_view(hwnd, window_change::text);
      return TRUE;
    }
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(lparam);
      if (!buffer || wparam == 0) return 0;
      size_t n = sjis_prefix_length(w->text, static_cast<size_t>(wparam) - 1);
      std::memcpy(buffer, w->text.data(), n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
  }
  return 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam,
                               LPARAM lparam) {
  if (!proc) return 0;
  return proc(hwnd, message, wparam, lparam);
}

int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return current_view().screen_width();
    case SM_CYSCREEN: return current_view().screen_height();
  }
  return 0;
}
