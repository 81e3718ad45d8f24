// The seam between the window model and a screen. The core keeps every
// window, control, text, list item and menu; a view only mirrors that state
// to a screen (asking the core through platform/window_query.h), draws what
// the program paints, reports the screen and font sizes, and turns a
// person's input into the calls of platform/input.h. The headless view for
// tests and the Qt view for a real screen both implement it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/win32_types.h"

namespace platform {

// What changed about a window, so a view can refresh its mirror.
enum class window_change {
  created,
  destroyed,
  shown,
  hidden,
  text,
  enabled,
  items,      // list box items or selection
  geometry,
  focus,
};

// Font sizes in pixels: the average character width and the line height.
struct font_metrics {
  int average_width;
  int height;
};

// Fixed metrics for views without real fonts (the headless view and the null
// view): the system font is 8 x 16 pixels a byte (a double-byte character
// 16 pixels wide); a dialog font of N points averages N * 3 / 4 pixels wide
// and N * 13 / 8 pixels high (8 points: 6 x 13).
constexpr font_metrics fixed_system_font{8, 16};
constexpr font_metrics fixed_dialog_font(int points) {
  return font_metrics{points * 3 / 4 > 0 ? points * 3 / 4 : 1, points * 13 / 8 > 0 ? points * 13 / 8 : 1};
}
constexpr int fixed_screen_width = 1024;
constexpr int fixed_screen_height = 768;

class view {
 public:
  view() = default;
  view(const view&) = delete;
  view& operator=(const view&) = delete;
  virtual ~view() = default;

  virtual int screen_width() = 0;
  virtual int screen_height() = 0;
  // The dialog font of a template (face in Shift-JIS, size in points); its
  // metrics turn dialog units into pixels.
  virtual font_metrics dialog_font(std::string_view face, int points) = 0;
  // The font DrawTextA uses (the system font).
  virtual font_metrics system_font() = 0;
  // Width in pixels of a line of Shift-JIS text in the system font.
  virtual int text_width(std::string_view line) = 0;

  virtual void window_changed(HWND, window_change) {}
  // Drawing on a window's persistent client surface, in client pixels,
  // already clipped to the window's client area.
  virtual void fill_rect(HWND window, const RECT& rect, COLORREF colour) = 0;
  // One line of text (Shift-JIS) whose cell starts at `cell`, showing only
  // within `clip` (inside the cell); `background` is painted behind the
  // characters when `opaque` is set.
  virtual void draw_text(HWND window, const RECT& cell, const RECT& clip, std::string_view line,
                         COLORREF colour, COLORREF background, bool opaque) = 0;

  // Blocks until input may have been queued or the monotonic clock reached
  // `deadline_ms` (none: no deadline). May return early.
  virtual void wait_for_input(std::optional<int64_t> deadline_ms) = 0;
  // A modal loop (dialog or message box) is about to wait for the person.
  virtual void modal_loop_started(HWND) {}
};

// The view in use; a null view (1024 x 768, no screen, waits on the real
// clock) until one is set. set_view does not take ownership.
view& current_view();
void set_view(view* v);

// Made by the view library linked into the program, for platform_main.
std::unique_ptr<view> make_program_view(int& argc, char** argv);

}  // namespace platform
