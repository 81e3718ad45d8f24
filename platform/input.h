// A person's input, as a view (or the headless test driver) hands it to the
// window model. Each call queues messages that the next GetMessageA or modal
// loop delivers in order, after posted messages. Input to a window that is
// hidden or disabled by then (or whose owner is, as under a modal dialog) is
// lost, as on a real screen. Each returns false when the window does not
// exist or the action does not apply to it.
#pragma once

#include <string_view>

#include "platform/win32_window.h"

namespace platform {

// Press and release the left button over a window.
bool input_click(HWND hwnd);
bool input_double_click(HWND hwnd);
// Click on row `index` of a list box.
bool input_click_list_item(HWND list, int index);
// Click into a text field and type Shift-JIS text at its end.
bool input_type_text(HWND edit, std::string_view text);
// Select everything in a text field and type over it (empty: delete it).
bool input_replace_text(HWND edit, std::string_view text);
// A key (VK_RETURN, VK_ESCAPE, ...) to a window; null: the window with the
// keyboard focus, else the active window. In a dialog, Enter gives the
// default button's command and Escape gives IDCANCEL.
bool input_key(HWND hwnd, WPARAM virtual_key);
// The close box of a top-level window that has one (WS_SYSMENU).
bool input_close_box(HWND hwnd);
// A command of a top-level window's menu bar, found by id.
bool input_choose_menu_item(HWND hwnd, WORD id);

}  // namespace platform
