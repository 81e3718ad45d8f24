#include "platform/window_store.h"

#include <cctype>

#include "platform/builtin_classes.h"

namespace platform {
namespace {

std::unique_ptr<window_store> the_store;

void register_builtins(window_store& s) {
  for (const builtin_class& b : builtin_classes()) {
    window_class_record c;
    c.atom = b.atom;
    c.name = b.name;
    c.proc = b.proc;
    c.kind = b.kind;
    c.background = b.background;
    s.classes.push_back(c);
  }
}

}  // namespace

window_store& store() {
  if (!the_store) {
    the_store = std::make_unique<window_store>();
    register_builtins(*the_store);
  }
  return *the_store;
}

void store_reset() {
  the_store.reset();
  store();
}

uintptr_t new_handle_value() {
  uintptr_t v = store().next_handle;
  store().next_handle += 4;
  return v;
}

window_record* find_window(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& windows = store().windows;
  auto it = windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == windows.end() ? nullptr : it->second.get();
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

const window_class_record* find_class(LPCSTR name) {
  if (!name) return nullptr;
  for (const auto& c : store().classes) {
    if (IS_INTRESOURCE(name)) {
      if (c.atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(name))) return &c;
    } else if (equal_ignoring_case(c.name, name)) {
      return &c;
    }
  }
  return nullptr;
}

HWND top_level_of(HWND hwnd) {
  window_record* w = find_window(hwnd);
  while (w && w->parent) {
    window_record* p = find_window(w->parent);
    if (!p) break;
    w = p;
  }
  return w ? w->handle : nullptr;
}

bool enabled_in_chain(HWND hwnd) {
  for (window_record* w = find_window(hwnd); w; w = find_window(w->parent)) {
    if (w->style & WS_DISABLED) return false;
    if (!w->parent) return true;
  }
  return false;
}

bool visible_in_chain(HWND hwnd) {
  for (window_record* w = find_window(hwnd); w; w = find_window(w->parent)) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (!w->parent) return true;
  }
  return false;
}

namespace {

struct frame_sizes {
  int x;
  int top;
  int bottom;
};

frame_sizes frame_of(DWORD style, bool has_menu) {
  int edge = 0;
  if (style & WS_THICKFRAME)
    edge = frame_thick;
  else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME))
    edge = frame_dialog;
  else if (style & WS_BORDER)
    edge = frame_border;
  int top = edge;
  if ((style & WS_CAPTION) == WS_CAPTION) top += caption_height;
  if (has_menu && !(style & WS_CHILD)) top += menu_bar_height;
  return {edge, top, edge};
}

}  // namespace

RECT client_rect_of(const window_record& w) {
  frame_sizes f = frame_of(w.style, w.menu != nullptr);
  LONG width = (w.rect.right - w.rect.left) - 2 * f.x;
  LONG height = (w.rect.bottom - w.rect.top) - f.top - f.bottom;
  return RECT{0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
}

RECT outer_rect_for_client(DWORD style, bool has_menu, const RECT& client) {
  frame_sizes f = frame_of(style, has_menu);
  return RECT{client.left - f.x, client.top - f.top, client.right + f.x, client.bottom + f.bottom};
}

void notify_view(HWND hwnd, window_change change) { current_view().window_changed(hwnd, change); }

LRESULT call_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  window_record* w = find_window(hwnd);
  if (!w || !w->proc) return 0;
  WNDPROC proc = w->proc;
  return proc(hwnd, message, wparam, lparam);
}

}  // namespace platform

DWORD WINAPI GetLastError() { return platform::store().last_error; }
void WINAPI SetLastError(DWORD error) { platform::store().last_error = error; }
