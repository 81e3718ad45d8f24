// The window classes every program finds registered: the controls STATIC,
// BUTTON, EDIT and LISTBOX, and the dialog class "#32770". Their state lives
// in the window model; a view draws them natively. Internal to platform/.
#pragma once

#include <vector>

#include "platform/window_store.h"

namespace platform {

struct builtin_class {
  ATOM atom;
  const char* name;
  WNDPROC proc;
  control_kind kind;
  HBRUSH background;
};

const std::vector<builtin_class>& builtin_classes();

LRESULT CALLBACK static_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK button_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK edit_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK list_box_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK dialog_window_proc(HWND, UINT, WPARAM, LPARAM);

// What every control does alike: the view paints it, so erasing and painting
// only validate; everything else goes to DefWindowProcA.
LRESULT control_default_proc(HWND, UINT, WPARAM, LPARAM);

// The class name for a dialog template's control atom (0x80 to 0x85).
const char* builtin_class_for_atom(WORD atom);

}  // namespace platform
