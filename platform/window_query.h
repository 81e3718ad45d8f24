// Read-only access to the window model, for views and the test driver.
#pragma once

#include <string>
#include <vector>

#include "platform/win32_window.h"

namespace platform {

enum class control_kind;

struct window_info {
  HWND handle = nullptr;
  HWND parent = nullptr;  // children only
  HWND owner = nullptr;   // top-level windows only
  std::string class_name;
  std::string text;  // Shift-JIS
  DWORD style = 0;
  DWORD ex_style = 0;
  int id = 0;
  RECT rect{};    // outer: parent client pixels for a child, screen pixels otherwise
  RECT client{};  // client size, origin 0, 0
  POINT client_origin{};  // client area origin in screen pixels
  bool visible = false;   // itself and its parents
  bool enabled = false;   // itself and its parents
  bool is_dialog = false;
  bool is_edit = false;
  bool is_button = false;
  bool is_list_box = false;
  bool is_static = false;
  std::vector<std::string> items;  // list box
  int selection = -1;
  HMENU menu = nullptr;
  HICON icon = nullptr;
};

struct menu_entry {
  std::string text;  // Shift-JIS, "&" before the mnemonic
  WORD id = 0;
  bool popup = false;
  bool separator = false;
  bool enabled = true;
  std::vector<menu_entry> items;
};

struct icon_info {
  const unsigned char* image = nullptr;  // the icon image as stored (a DIB)
  size_t image_size = 0;
  int width = 0;
  int height = 0;
  bool cursor = false;
};

// False when the window does not exist.
bool query_window(HWND hwnd, window_info* out);
// Top-level windows, oldest first.
std::vector<HWND> top_level_windows();
std::vector<HWND> child_windows(HWND hwnd);
std::vector<menu_entry> menu_of(HWND hwnd);
bool query_icon(HICON icon, icon_info* out);
HWND focus_window();
HWND active_window();
// Whether anything waits to be handled now: a posted or input message, a
// window to paint, a due timer or the quit message.
bool messages_pending();

}  // namespace platform
