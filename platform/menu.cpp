#include "platform/menu.h"

#include "platform/resource_data.h"
#include "platform/sjis.h"

namespace platform {
namespace {

bool read_text(const unsigned char* data, size_t size, size_t* at, std::string* text) {
  std::u16string units;
  for (;;) {
    if (*at + 2 > size) return false;
    char16_t c = static_cast<char16_t>(data[*at] | (data[*at + 1] << 8));
    *at += 2;
    if (c == 0) break;
    units.push_back(c);
  }
  *text = utf16_to_sjis(units.data(), units.size());
  return true;
}

// Reads items up to and including the one that carries MF_END.
bool read_items(const unsigned char* data, size_t size, size_t* at, std::vector<menu_item>* out,
                int depth) {
  if (depth > 16) return false;
  for (;;) {
    if (*at + 2 > size) return false;
    menu_item item;
    WORD flags = static_cast<WORD>(data[*at] | (data[*at + 1] << 8));
    *at += 2;
    if (!(flags & MF_POPUP)) {
      if (*at + 2 > size) return false;
      item.id = static_cast<WORD>(data[*at] | (data[*at + 1] << 8));
      *at += 2;
    }
    if (!read_text(data, size, at, &item.text)) return false;
    item.flags = flags & ~MF_END;
    if (!(flags & MF_POPUP) && item.id == 0 && item.text.empty()) item.flags |= MF_SEPARATOR;
    if (flags & MF_POPUP) {
      if (!read_items(data, size, at, &item.items, depth + 1)) return false;
    }
    out->push_back(std::move(item));
    if (flags & MF_END) return true;
  }
}

bool has_command(const std::vector<menu_item>& items, WORD id) {
  for (const auto& item : items) {
    if (item.flags & MF_POPUP) {
      if (!(item.flags & (MF_GRAYED | MF_DISABLED)) && has_command(item.items, id)) return true;
    } else if (!(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) && item.id == id) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool parse_menu(const unsigned char* data, size_t size, std::vector<menu_item>* bar) {
  bar->clear();
  if (size < 4) return false;
  size_t at = 4 + static_cast<size_t>(data[2] | (data[3] << 8));
  if (at >= size) return false;
  return read_items(data, size, &at, bar, 0);
}

const std::vector<menu_item>* menu_items(HMENU menu) {
  auto& menus = store().menus;
  auto it = menus.find(reinterpret_cast<uintptr_t>(menu));
  return it == menus.end() ? nullptr : &it->second;
}

bool menu_has_command(HMENU menu, WORD id) {
  const std::vector<menu_item>* items = menu_items(menu);
  return items && has_command(*items, id);
}

void destroy_menu_tree(HMENU menu) { store().menus.erase(reinterpret_cast<uintptr_t>(menu)); }

}  // namespace platform

using namespace platform;

HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name) {
  const unsigned char* data = nullptr;
  size_t size = 0;
  if (!resource_data_find(instance, RT_MENU, name, &data, &size)) {
    SetLastError(1814);
    return nullptr;
  }
  std::vector<menu_item> bar;
  if (!parse_menu(data, size, &bar)) return nullptr;
  uintptr_t value = new_handle_value();
  store().menus[value] = std::move(bar);
  return reinterpret_cast<HMENU>(value);
}

HMENU WINAPI GetMenu(HWND hwnd) {
  window_record* w = find_window(hwnd);
  return w && !w->parent ? w->menu : nullptr;
}

BOOL WINAPI DestroyMenu(HMENU menu) {
  return store().menus.erase(reinterpret_cast<uintptr_t>(menu)) ? TRUE : FALSE;
}
