#include "platform/window_query.h"

#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/window_store.h"

namespace platform {
namespace {

menu_entry to_entry(const menu_item& item) {
  menu_entry e;
  e.text = item.text;
  e.id = item.id;
  e.popup = (item.flags & MF_POPUP) != 0;
  e.separator = (item.flags & MF_SEPARATOR) != 0;
  e.enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
  for (const auto& child : item.items) e.items.push_back(to_entry(child));
  return e;
}

}  // namespace

bool query_window(HWND hwnd, window_info* out) {
  window_record* w = find_window(hwnd);
  if (!w || !out) return false;
  *out = window_info{};
  out->handle = hwnd;
  out->parent = w->parent;
  out->owner = w->owner;
  out->class_name = w->class_name;
  out->text = w->text;
  out->style = w->style;
  out->ex_style = w->ex_style;
  out->id = w->id;
  out->rect = w->rect;
  out->client = client_rect_of(*w);
  out->client_origin = client_origin(hwnd);
  out->visible = visible_in_chain(hwnd);
  out->enabled = enabled_in_chain(hwnd);
  out->is_dialog = w->kind == control_kind::dialog;
  out->is_edit = w->kind == control_kind::edit;
  out->is_button = w->kind == control_kind::button;
  out->is_list_box = w->kind == control_kind::list_box;
  out->is_static = w->kind == control_kind::static_text;
  out->items = w->items;
  out->selection = w->selection;
  out->menu = w->parent ? nullptr : w->menu;
  out->icon = w->icon;
  return true;
}

std::vector<HWND> top_level_windows() {
  std::vector<HWND> out;
  for (auto& [value, w] : store().windows) {
    if (!w->parent) out.push_back(w->handle);
  }
  return out;
}

std::vector<HWND> child_windows(HWND hwnd) {
  window_record* w = find_window(hwnd);
  return w ? w->children : std::vector<HWND>{};
}

std::vector<menu_entry> menu_of(HWND hwnd) {
  std::vector<menu_entry> out;
  window_record* w = find_window(hwnd);
  if (!w || w->parent) return out;
  if (const std::vector<menu_item>* items = menu_items(w->menu)) {
    for (const auto& item : *items) out.push_back(to_entry(item));
  }
  return out;
}

bool query_icon(HICON icon, icon_info* out) {
  auto& icons = store().icons;
  auto it = icons.find(reinterpret_cast<uintptr_t>(icon));
  if (it == icons.end() || !out) return false;
  out->image = it->second.image;
  out->image_size = it->second.image_size;
  out->width = it->second.width;
  out->height = it->second.height;
  out->cursor = it->second.cursor;
  return true;
}

HWND focus_window() { return store().focus; }
HWND active_window() { return store().active; }

bool messages_pending() {
  MSG m;
  return fetch_message(&m, nullptr, 0, 0, false);
}

}  // namespace platform
