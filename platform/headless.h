// The headless view and test driver: a test acts as a person in front of the
// program's windows, with no screen and a virtual clock.
//
// headless::reset() installs the view and the virtual clock and starts from
// nothing; call it at the start of each test. The virtual clock stands still
// while the program works and jumps to the next due timer whenever the
// program waits, so an hour of three-second ticks runs in milliseconds;
// Sleep and Beep advance it by their length.
//
// Actions (click, type_text, press_enter, ...) queue a person's input. Called
// from the test body, they then run the program until it is idle; called
// from inside a hook (on_modal_loop, after_seconds), they only queue, and the
// waiting loop delivers the input once the hook returns.
//
// A wait that no one will ever end (a modal loop left open at the end of a
// run, or the program waiting with nothing due and nothing scheduled) throws
// headless::stuck out of the program's code; reset() clears up after it.
// Texts are Shift-JIS bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace headless {

struct stuck : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One drawing operation on a window's client surface, in client pixels,
// clipped to what shows.
enum class draw_kind { fill, text };

struct draw_op {
  draw_kind kind = draw_kind::fill;
  HWND window = nullptr;
  RECT rect{};
  COLORREF colour = 0;       // fill colour or text colour
  COLORREF background = 0;   // behind the text, when opaque
  bool opaque = false;
  std::string text;          // one line
  int64_t time_ms = 0;       // virtual clock when drawn
};

// Starts from nothing: no windows, classes, messages, timers, hooks or
// drawing; clock at 0 ms and the wall clock at 2026-04-01 09:00:00 UTC;
// screen 1024 x 768.
void reset();

// ---- Finding and reading windows ----

// The newest visible top-level window whose caption or class name is `name`.
HWND find_window(std::string_view name);
// The newest visible modal dialog or message box, or null.
HWND top_dialog();
// A child of `parent` whose text or class name is `name`, or null.
HWND find_control(HWND parent, std::string_view name);
std::string text_of(HWND hwnd);
std::vector<std::string> list_items(HWND list);
bool is_visible(HWND hwnd);
bool is_enabled(HWND hwnd);

// ---- Acting as a person ----

bool click(HWND hwnd);
bool double_click(HWND hwnd);
bool click_list_item(HWND list, int index);
// Clicks into a text field and types at the end of what is there.
bool type_text(HWND edit, std::string_view text);
// Selects all of a text field and types over it (empty: deletes it).
bool replace_text(HWND edit, std::string_view text);
// Keys go to the window with the focus (in a dialog: Enter gives the default
// button, Escape IDCANCEL).
bool press_enter();
bool press_escape();
bool close_box(HWND top_level);
bool choose_menu_item(HWND top_level, WORD id);
// Clicks the button with this text ("OK", "はい", "いいえ", "送信ボタン") in
// the newest modal dialog or message box.
bool press_button(std::string_view text);

// ---- Running ----

// Handles everything that is due now, without moving the clock.
void run_until_idle();
// Runs the program for `seconds` of virtual time, ticks included.
void run_for_seconds(double seconds);
void run_for_ms(int64_t ms);
// Called each time a modal loop (dialog or message box) starts, with its
// window, before it waits for the person. Replaces the previous hook.
void on_modal_loop(std::function<void(HWND)> hook);
// Runs `action` as the person when the virtual clock reaches now + seconds
// and the program waits (e.g. while the program's own message loop runs).
void after_seconds(double seconds, std::function<void()> action);
// The quit code once a WM_QUIT has reached a loop of the driver.
std::optional<int> quit_code();

// ---- Clocks, screen and faults ----

int64_t now_ms();
// Sets the wall clock (seconds since 1970-01-01 UTC) from now on.
void set_wall_clock(int64_t unix_seconds);
void set_screen_size(int width, int height);
// The next RegisterClassExA / top-level CreateWindowExA fails.
void fail_next_register_class();
void fail_next_create_window();

// ---- What was drawn ----

const std::vector<draw_op>& drawing();
// Drawing on one window only.
std::vector<draw_op> drawing_of(HWND hwnd);
// The text lines on a window's surface that nothing drawn later covers,
// oldest first: what a person sees there now. A line counts as covered when
// a later fill or text hides all of its cell but the blank outermost pixel
// row and column.
std::vector<draw_op> visible_text(HWND hwnd);
void clear_drawing();

}  // namespace headless
