// The window model behind the Win32 calls: classes, windows and the thread's
// message state, kept in one process-wide store. Internal to platform/.
//
// Handles are small numbers, never reused, looked up in the store on every
// call; a destroyed window's handle simply finds nothing. Code here never
// keeps a window_record pointer across a call into a window procedure (which
// may destroy it): it looks the handle up again afterwards.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/view.h"
#include "platform/win32_window.h"

namespace platform {

enum class control_kind { none, static_text, button, edit, list_box, dialog };

struct window_class_record {
  ATOM atom = 0;
  std::string name;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON icon_small = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menu_name;  // "#123" for a numbered menu
  bool has_menu = false;
  control_kind kind = control_kind::none;
};

struct window_record {
  HWND handle = nullptr;
  std::string class_name;
  control_kind kind = control_kind::none;
  WNDPROC proc = nullptr;
  HBRUSH class_background = nullptr;
  HINSTANCE instance = nullptr;
  HWND parent = nullptr;  // the parent of a child; null for a top-level window
  HWND owner = nullptr;   // the owner of a top-level window
  std::vector<HWND> children;  // in creation order
  std::string text;
  DWORD style = 0;
  DWORD ex_style = 0;
  RECT rect{};  // outer rectangle: parent client pixels, or screen pixels
  int id = 0;
  HMENU menu = nullptr;
  LONG_PTR user_data = 0;
  HICON icon = nullptr;  // the class icon
  bool destroying = false;

  // Painting.
  bool needs_paint = false;
  bool needs_erase = false;
  RECT update{};

  // Built-in controls.
  std::vector<std::string> items;
  int selection = -1;
  bool text_selected = false;  // edit: typing replaces the whole text

  // Dialogs.
  DLGPROC dialog_proc = nullptr;
  LONG_PTR dialog_msg_result = 0;
  LONG_PTR dialog_user = 0;
  bool modal = false;
  bool dialog_ended = false;
  INT_PTR dialog_code = 0;
  bool owner_disabled_by_dialog = false;
  int default_id = IDOK;
};

struct timer_record {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  int64_t period_ms = 0;
  int64_t next_due_ms = 0;
  TIMERPROC proc = nullptr;
};

// A device context: a window's client surface and the drawing state.
struct dc_record {
  HWND hwnd = nullptr;
  bool from_paint = false;
  RECT clip{};  // client pixels
  COLORREF text_colour = 0;
  COLORREF background_colour = 0xFFFFFF;
  int background_mode = OPAQUE;
  HGDIOBJ brush = nullptr;
};

// A menu bar or pop-up item: a command (id), a separator, or a pop-up with
// its own items. Texts are Shift-JIS, "&" marking the mnemonic.
struct menu_item {
  std::string text;
  WORD id = 0;
  WORD flags = 0;  // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED ...
  std::vector<menu_item> items;
};

// An icon or cursor: a module's icon group, or a system cursor.
struct icon_record {
  HINSTANCE module = nullptr;
  std::string name;  // "#300" or the upper-case name; "#32512" for the arrow
  bool cursor = false;
  const unsigned char* image = nullptr;  // the chosen image (a DIB), if any
  size_t image_size = 0;
  int width = 0;
  int height = 0;
};

struct brush_record {
  COLORREF colour = 0;
};

struct window_store {
  std::map<uintptr_t, std::unique_ptr<window_record>> windows;  // by handle: creation order
  std::vector<window_class_record> classes;
  std::deque<MSG> posted;
  std::deque<MSG> input;
  std::vector<timer_record> timers;
  std::map<uintptr_t, dc_record> dcs;
  std::map<uintptr_t, brush_record> brushes;
  std::map<uintptr_t, std::vector<menu_item>> menus;  // menu bars by handle
  std::map<uintptr_t, icon_record> icons;  // created brushes (stock ones are fixed)
  bool quit_pending = false;
  int quit_code = 0;
  HWND focus = nullptr;
  HWND active = nullptr;
  uintptr_t next_handle = 0x10000;
  UINT_PTR next_timer_id = 0x7FF0;
  ATOM next_atom = 0xC000;
  DWORD last_error = 0;
  // Test switches: the next call of each fails.
  bool fail_next_top_level_create = false;
  bool fail_next_register_class = false;
};

window_store& store();
// Forgets every window, class, message and timer (tests).
void store_reset();

uintptr_t new_handle_value();
window_record* find_window(HWND hwnd);
const window_class_record* find_class(LPCSTR name);
// The top-level window that the window belongs to (itself if top-level).
HWND top_level_of(HWND hwnd);
// Whether the window and all its ancestors are enabled / visible.
bool enabled_in_chain(HWND hwnd);
bool visible_in_chain(HWND hwnd);
// The client rectangle size of a window from its outer size and style.
RECT client_rect_of(const window_record& w);
// Outer size for a client size (frame, caption and menu bar added).
RECT outer_rect_for_client(DWORD style, bool has_menu, const RECT& client);

bool equal_ignoring_case(std::string_view a, std::string_view b);
void notify_view(HWND hwnd, window_change change);

// Calls the window's procedure (or 0 when the window is gone).
LRESULT call_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The shared retrieval of GetMessageA, PeekMessageA and the modal loops.
bool fetch_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove);
// Waits for the next message (handled through the view). False on WM_QUIT.
bool wait_message(MSG* msg);
// Milliseconds until the next timer is due, or none.
std::optional<int64_t> next_timer_due();

void kill_timers_of(HWND hwnd);
// Drops the device contexts of a destroyed window.
void release_dcs_of(HWND hwnd);
void destroy_menu_tree(HMENU menu);

// Placement of the main window's frame pieces, in pixels.
constexpr int frame_border = 1;
constexpr int frame_dialog = 3;
constexpr int frame_thick = 4;
constexpr int caption_height = 19;
constexpr int menu_bar_height = 19;

}  // namespace platform
