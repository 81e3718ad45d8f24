// The LISTBOX control. With LBS_SORT a new item goes after every item that is
// not greater than it, comparing the Shift-JIS bytes as unsigned values: a
// stable ascending order in which equal texts keep their arrival order.
#include <algorithm>
#include <cstring>

#include "platform/builtin_classes.h"

namespace platform {
namespace {

void notify_parent(HWND hwnd, WORD code) {
  window_record* w = find_window(hwnd);
  if (!w || !w->parent || !(w->style & LBS_NOTIFY)) return;
  SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(hwnd));
}

bool valid_index(const window_record& w, WPARAM index) { return index < w.items.size(); }

LRESULT insert_at(window_record& w, size_t at, LPARAM lparam) {
  const char* text = reinterpret_cast<const char*>(lparam);
  if (!text) return LB_ERR;
  w.items.insert(w.items.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
  if (w.selection >= static_cast<int>(at)) ++w.selection;
  notify_view(w.handle, window_change::items);
  return static_cast<LRESULT>(at);
}

}  // namespace

LRESULT CALLBACK list_box_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  window_record* w = find_window(hwnd);
  if (!w) return 0;
  switch (message) {
    case LB_ADDSTRING: {
      const char* text = reinterpret_cast<const char*>(lparam);
      if (!text) return LB_ERR;
      size_t at = w->items.size();
      if (w->style & LBS_SORT) {
        at = static_cast<size_t>(
            std::upper_bound(w->items.begin(), w->items.end(), std::string_view(text),
                             [](std::string_view a, const std::string& b) { return a < b; }) -
            w->items.begin());
      }
      return insert_at(*w, at, lparam);
    }
    case LB_INSERTSTRING: {
      auto index = static_cast<intptr_t>(wparam);
      if (index == -1) index = static_cast<intptr_t>(w->items.size());
      if (index < 0 || static_cast<size_t>(index) > w->items.size()) return LB_ERR;
      return insert_at(*w, static_cast<size_t>(index), lparam);
    }
    case LB_DELETESTRING: {
      if (!valid_index(*w, wparam)) return LB_ERR;
      w->items.erase(w->items.begin() + static_cast<std::ptrdiff_t>(wparam));
      if (w->selection == static_cast<int>(wparam))
        w->selection = -1;
      else if (w->selection > static_cast<int>(wparam))
        --w->selection;
      notify_view(hwnd, window_change::items);
      return static_cast<LRESULT>(w->items.size());
    }
    case LB_RESETCONTENT:
      w->items.clear();
      w->selection = -1;
      notify_view(hwnd, window_change::items);
      return 0;
    case LB_GETCOUNT:
      return static_cast<LRESULT>(w->items.size());
    case LB_GETTEXT: {
      // The caller's buffer must hold the item and its terminating zero
      // (LB_GETTEXTLEN + 1 bytes), as with the system's list box.
      char* buffer = reinterpret_cast<char*>(lparam);
      if (!valid_index(*w, wparam) || !buffer) return LB_ERR;
      const std::string& item = w->items[wparam];
      std::memcpy(buffer, item.c_str(), item.size() + 1);
      return static_cast<LRESULT>(item.size());
    }
    case LB_GETTEXTLEN:
      if (!valid_index(*w, wparam)) return LB_ERR;
      return static_cast<LRESULT>(w->items[wparam].size());
    case LB_SETCURSEL:
      if (static_cast<intptr_t>(wparam) == -1) {
        w->selection = -1;
        notify_view(hwnd, window_change::items);
        return LB_ERR;
      }
      if (!valid_index(*w, wparam)) return LB_ERR;
      w->selection = static_cast<int>(wparam);
      notify_view(hwnd, window_change::items);
      return w->selection;
    case LB_GETCURSEL:
      return w->selection;
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd);
      if (!(w = find_window(hwnd))) return 0;
      int row = static_cast<short>(HIWORD(lparam)) / current_view().system_font().height;
      if (row >= 0 && static_cast<size_t>(row) < w->items.size() && row != w->selection) {
        w->selection = row;
        notify_view(hwnd, window_change::items);
        notify_parent(hwnd, LBN_SELCHANGE);
      }
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      notify_parent(hwnd, LBN_DBLCLK);
      return 0;
  }
  return control_default_proc(hwnd, message, wparam, lparam);
}

}  // namespace platform
