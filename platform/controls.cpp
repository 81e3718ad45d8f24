// The built-in controls STATIC, BUTTON and EDIT, and the class table. Their
// state lives in the window record; the view draws them.
#include <cstring>

#include "platform/builtin_classes.h"
#include "platform/sjis.h"

namespace platform {
namespace {

void notify_parent(HWND hwnd, WORD code) {
  window_record* w = find_window(hwnd);
  if (!w || !w->parent) return;
  SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace

LRESULT control_default_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK static_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  window_record* w = find_window(hwnd);
  if (!w) return 0;
  bool notify = (w->style & SS_NOTIFY) != 0;
  switch (message) {
    case WM_LBUTTONUP:
      if (notify) notify_parent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (notify) notify_parent(hwnd, STN_DBLCLK);
      return 0;
  }
  return control_default_proc(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK button_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      return 0;
    case WM_LBUTTONUP:
    case BM_CLICK:
      notify_parent(hwnd, BN_CLICKED);
      return 0;
  }
  return control_default_proc(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK edit_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  window_record* w = find_window(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      if ((w = find_window(hwnd))) w->text_selected = false;
      return 0;
    case EM_SETSEL:
      // (0, -1) selects everything; anything else leaves the caret at the end.
      w->text_selected = wparam == 0 && lparam == -1 && !w->text.empty();
      return 0;
    case EM_GETSEL:
      return w->text_selected ? MAKELONG(0, w->text.size()) : MAKELONG(w->text.size(), w->text.size());
    case WM_CHAR: {
      auto c = static_cast<unsigned char>(wparam);
      if (c == VK_BACK) {
        if (w->text_selected)
          w->text.clear();
        else
          w->text.resize(sjis_without_last_char(w->text));
      } else if (c < 0x20) {
        return 0;
      } else {
        if (w->text_selected) w->text.clear();
        w->text.push_back(static_cast<char>(c));
      }
      w->text_selected = false;
      notify_view(hwnd, window_change::text);
      notify_parent(hwnd, EN_CHANGE);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hwnd, message, wparam, lparam);
      if ((w = find_window(hwnd))) w->text_selected = false;
      notify_parent(hwnd, EN_CHANGE);
      return r;
    }
  }
  return control_default_proc(hwnd, message, wparam, lparam);
}

const std::vector<builtin_class>& builtin_classes() {
  static const std::vector<builtin_class> classes = {
      {0x0080, "BUTTON", button_proc, control_kind::button, nullptr},
      {0x0081, "EDIT", edit_proc, control_kind::edit, nullptr},
      {0x0082, "STATIC", static_proc, control_kind::static_text, nullptr},
      {0x0083, "LISTBOX", list_box_proc, control_kind::list_box, nullptr},
      {0x8002, "#32770", dialog_window_proc, control_kind::dialog, nullptr},
  };
  return classes;
}

const char* builtin_class_for_atom(WORD atom) {
  switch (atom) {
    case 0x0080: return "BUTTON";
    case 0x0081: return "EDIT";
    case 0x0082: return "STATIC";
    case 0x0083: return "LISTBOX";
    case 0x0084: return "SCROLLBAR";
    case 0x0085: return "COMBOBOX";
  }
  return nullptr;
}

}  // namespace platform
