// Dialog boxes from standard dialog templates, EndDialog and the default
// dialog handling.
#include "platform/dialog.h"

#include "platform/builtin_classes.h"
#include "platform/dialog_template.h"
#include "platform/resource_data.h"

namespace platform {
namespace {

// Focus on opening, when WM_INITDIALOG leaves the choice to the system: the
// first text field, so that a person can type at once; else the first
// control that can take it.
void set_first_focus(HWND dialog) {
  window_record* d = find_window(dialog);
  if (!d) return;
  HWND first = nullptr;
  std::vector<HWND> children = d->children;
  for (HWND c : children) {
    window_record* cr = find_window(c);
    if (!cr || !(cr->style & WS_VISIBLE) || (cr->style & WS_DISABLED)) continue;
    if (cr->kind == control_kind::edit) {
      first = c;
      break;
    }
    if (!first && cr->kind != control_kind::static_text) first = c;
  }
  SetFocus(first ? first : dialog);
}

// After a dialog closes, the owner becomes active again; if the owner is
// still disabled (under another dialog), the newest enabled window does.
void activate_next(HWND owner) {
  HWND next = nullptr;
  if (find_window(owner) && enabled_in_chain(owner) && visible_in_chain(owner)) {
    next = owner;
  } else {
    for (auto it = store().windows.rbegin(); it != store().windows.rend(); ++it) {
      const window_record& w = *it->second;
      if (!w.parent && visible_in_chain(w.handle) && enabled_in_chain(w.handle)) {
        next = w.handle;
        break;
      }
    }
  }
  if (!next) return;
  store().active = next;
  if (!store().focus || top_level_of(store().focus) != next) {
    window_record* w = find_window(next);
    if (w && w->kind == control_kind::dialog)
      set_first_focus(next);
    else
      store().focus = next;
  }
}

}  // namespace

POINT client_origin(HWND hwnd) {
  window_record* w = find_window(hwnd);
  if (!w) return POINT{0, 0};
  RECT outer;
  GetWindowRect(hwnd, &outer);
  RECT frame = outer_rect_for_client(w->style, w->menu != nullptr && !w->parent, RECT{0, 0, 0, 0});
  return POINT{outer.left - frame.left, outer.top - frame.top};
}

HWND create_dialog_window(DWORD style, DWORD ex_style, const std::string& caption,
                          const RECT& client, HWND owner, HINSTANCE instance, DLGPROC proc) {
  RECT outer = outer_rect_for_client(style, false, client);
  HWND dialog = CreateWindowExA(ex_style, "#32770", caption.c_str(), style & ~(WS_VISIBLE | WS_CHILD),
                                outer.left, outer.top, outer.right - outer.left,
                                outer.bottom - outer.top, owner ? top_level_of(owner) : nullptr,
                                nullptr, instance, nullptr);
  window_record* d = find_window(dialog);
  if (!d) return nullptr;
  d->dialog_proc = proc;
  d->modal = true;
  return dialog;
}

INT_PTR run_modal_dialog(HWND dialog, LPARAM init_param) {
  window_record* d = find_window(dialog);
  if (!d) return -1;
  HWND first_control = d->children.empty() ? nullptr : d->children.front();
  for (HWND c : d->children) {
    window_record* cr = find_window(c);
    if (cr && cr->kind == control_kind::button && (cr->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      d->default_id = cr->id;
      break;
    }
  }
  if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first_control), init_param))
    set_first_focus(dialog);

  d = find_window(dialog);
  if (!d) return -1;
  HWND owner = d->owner;
  bool disabled_owner = false;
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabled_owner = true;
    if ((d = find_window(dialog))) d->owner_disabled_by_dialog = true;
  }
  if ((d = find_window(dialog)) && !d->dialog_ended) {
    ShowWindow(dialog, SW_SHOW);
    if (store().focus == nullptr || top_level_of(store().focus) != dialog) set_first_focus(dialog);
    current_view().modal_loop_started(dialog);
  }

  MSG msg;
  for (;;) {
    d = find_window(dialog);
    if (!d || d->dialog_ended) break;
    if (!fetch_message(&msg, nullptr, 0, 0, true)) {
      current_view().wait_for_input(next_timer_due());
      continue;
    }
    if (msg.message == WM_QUIT) {
      // The quit is for the outer loop: hand it on.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  INT_PTR code = -1;
  if ((d = find_window(dialog))) {
    if (d->dialog_ended) code = d->dialog_code;
    if (d->owner_disabled_by_dialog) {
      d->owner_disabled_by_dialog = false;
      EnableWindow(owner, TRUE);
    }
    DestroyWindow(dialog);
  } else if (disabled_owner && find_window(owner)) {
    // Destroyed from outside (say by a tick): the owner must not stay disabled.
    EnableWindow(owner, TRUE);
  }
  activate_next(owner);
  return code;
}

LRESULT CALLBACK dialog_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  window_record* d = find_window(hwnd);
  if (!d) return 0;
  if (DLGPROC proc = d->dialog_proc) {
    INT_PTR handled = proc(hwnd, message, wparam, lparam);
    if (handled) {
      if (message == WM_INITDIALOG) return handled;
      d = find_window(hwnd);
      return d ? d->dialog_msg_result : 0;
    }
    if (!(d = find_window(hwnd))) return 0;
  }
  switch (message) {
    case WM_CLOSE:
      // A dialog is not destroyed by its close box: it is asked to cancel.
      PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDCANCEL)));
      return 0;
    case DM_GETDEFID:
      return MAKELONG(d->default_id, DC_HASDEFID);
    case DM_SETDEFID:
      d->default_id = static_cast<int>(wparam);
      return TRUE;
    case WM_ERASEBKGND:
      return 1;  // the view paints the dialog's face
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace platform

using namespace platform;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC proc,
                               LPARAM init_param) {
  const unsigned char* data = nullptr;
  size_t size = 0;
  dialog_template t;
  if (!resource_data_find(instance, RT_DIALOG, template_name, &data, &size) ||
      !parse_dialog_template(data, size, &t))
    return -1;
  if (owner && !IsWindow(owner)) return -1;
  // Only the standard dialog class is supported.
  if (t.window_class.present && (t.window_class.is_number || t.window_class.text != "#32770"))
    return -1;

  font_metrics font = (t.style & DS_SETFONT) ? current_view().dialog_font(t.font_face, t.point_size)
                                             : current_view().system_font();
  int width = dialog_units_to_x(t.cx, font.average_width);
  int height = dialog_units_to_y(t.cy, font.height);
  int x = dialog_units_to_x(t.x, font.average_width);
  int y = dialog_units_to_y(t.y, font.height);
  if (t.style & DS_CENTER) {
    x = (current_view().screen_width() - width) / 2;
    y = (current_view().screen_height() - height) / 2;
  } else if (!(t.style & DS_ABSALIGN) && owner) {
    POINT origin = client_origin(top_level_of(owner));
    x += origin.x;
    y += origin.y;
  }
  HWND dialog = create_dialog_window(t.style, t.ex_style, t.caption, RECT{x, y, x + width, y + height},
                                     owner, instance, proc);
  if (!dialog) return -1;
  if (t.menu.present) {
    if (window_record* d = find_window(dialog)) {
      d->menu = LoadMenuA(instance, t.menu.is_number ? MAKEINTRESOURCEA(t.menu.number)
                                                     : t.menu.text.c_str());
    }
  }

  for (const auto& c : t.controls) {
    const char* class_name = c.window_class.is_number ? builtin_class_for_atom(c.window_class.number)
                                                      : c.window_class.text.c_str();
    std::string text = c.text.is_number ? "" : c.text.text;
    HWND control = CreateWindowExA(
        c.ex_style, class_name, text.c_str(), c.style | WS_CHILD,
        dialog_units_to_x(c.x, font.average_width), dialog_units_to_y(c.y, font.height),
        dialog_units_to_x(c.cx, font.average_width), dialog_units_to_y(c.cy, font.height), dialog,
        reinterpret_cast<HMENU>(static_cast<uintptr_t>(c.id)), instance,
        c.creation_data.empty() ? nullptr : const_cast<unsigned char*>(c.creation_data.data()));
    if (!control) {
      DestroyWindow(dialog);
      return -1;
    }
  }
  return run_modal_dialog(dialog, init_param);
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  window_record* d = find_window(dialog);
  if (!d || d->kind != control_kind::dialog) return FALSE;
  d->dialog_ended = true;
  d->dialog_code = result;
  if (d->owner_disabled_by_dialog) {
    d->owner_disabled_by_dialog = false;
    EnableWindow(d->owner, TRUE);
  }
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}
