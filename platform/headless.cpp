// The headless view, the virtual clock and the test driver.
#include "platform/headless.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/view.h"
#include "platform/window_query.h"
#include "platform/window_store.h"

namespace headless {
namespace {

constexpr int64_t default_wall_seconds = 1775034000;  // 2026-04-01 09:00:00 UTC

class virtual_clock final : public platform::clock_source {
 public:
  int64_t monotonic_ms() override { return now; }
  int64_t wall_100ns() override { return wall_at_zero + now * 10000; }
  void sleep_ms(int64_t ms) override {
    if (ms > 0) now += ms;
  }
  void advance_to(int64_t t) {
    if (t > now) now = t;
  }

  int64_t now = 0;
  int64_t wall_at_zero = platform::filetime_unix_epoch + default_wall_seconds * 10000000;
};

struct scheduled_action {
  int64_t at;
  uint64_t order;
  std::function<void()> action;
};

class headless_view final : public platform::view {
 public:
  int screen_width() override { return width; }
  int screen_height() override { return height; }
  platform::font_metrics dialog_font(std::string_view, int points) override {
    return platform::fixed_dialog_font(points);
  }
  platform::font_metrics system_font() override { return platform::fixed_system_font; }
  int text_width(std::string_view line) override {
    return static_cast<int>(line.size()) * platform::fixed_system_font.average_width;
  }
  void fill_rect(HWND window, const RECT& rect, COLORREF colour) override {
    draw_op op;
    op.kind = draw_kind::fill;
    op.window = window;
    op.rect = rect;
    op.colour = colour;
    op.time_ms = clock.now;
    ops.push_back(op);
  }
  void draw_text(HWND window, const RECT&, const RECT& clip, std::string_view line, COLORREF colour,
                 COLORREF background, bool opaque) override {
    draw_op op;
    op.kind = draw_kind::text;
    op.window = window;
    op.rect = clip;
    op.colour = colour;
    op.background = background;
    op.opaque = opaque;
    op.text = std::string(line);
    op.time_ms = clock.now;
    ops.push_back(op);
  }

  void wait_for_input(std::optional<int64_t> deadline) override {
    std::optional<int64_t> limit;
    if (!run_ends.empty()) limit = run_ends.back();
    auto next = earliest_action();
    if (next != actions.end() && (!deadline || next->at <= *deadline) && (!limit || next->at <= *limit)) {
      perform(next);
      return;
    }
    if (deadline && (limit ? *deadline <= *limit : next != actions.end())) {
      clock.advance_to(*deadline);
      return;
    }
    if (!deadline)
      throw stuck("the program waits for input that nobody will give (no timer, nothing scheduled)");
    throw stuck(limit ? "a modal loop is still open at the end of the run: answer it in on_modal_loop"
                      : "the program runs on with nothing scheduled to end it (use after_seconds)");
  }

  void modal_loop_started(HWND dialog) override {
    if (!modal_hook) return;
    std::function<void(HWND)> hook = modal_hook;  // the hook may replace itself
    ++hook_depth;
    struct leave {
      int& depth;
      ~leave() { --depth; }
    } guard{hook_depth};
    hook(dialog);
  }

  std::vector<scheduled_action>::iterator earliest_action() {
    return std::min_element(actions.begin(), actions.end(), [](const auto& a, const auto& b) {
      return a.at != b.at ? a.at < b.at : a.order < b.order;
    });
  }

  void perform(std::vector<scheduled_action>::iterator it) {
    clock.advance_to(it->at);
    std::function<void()> action = std::move(it->action);
    actions.erase(it);
    ++hook_depth;
    struct leave {
      int& depth;
      ~leave() { --depth; }
    } guard{hook_depth};
    action();
  }

  virtual_clock clock;
  int width = platform::fixed_screen_width;
  int height = platform::fixed_screen_height;
  std::vector<draw_op> ops;
  std::function<void(HWND)> modal_hook;
  std::vector<scheduled_action> actions;
  uint64_t next_order = 0;
  std::vector<int64_t> run_ends;
  int hook_depth = 0;
  std::optional<int> quit;
};

headless_view& the_view() {
  static headless_view v;
  return v;
}

// Runs the program until idle after an action taken from the test body.
bool acted(bool done) {
  if (done && the_view().hook_depth == 0) run_until_idle();
  return done;
}

// Whether `outer` hides `inner`. A glyph cell's outermost pixel row and
// column are blank, so a fill that leaves only those uncovered (as a fill from
// 1, 1 does) hides the text.
bool covers(const RECT& outer, RECT inner) {
  if (inner.right - inner.left > 2) {
    ++inner.left;
    --inner.right;
  }
  if (inner.bottom - inner.top > 2) {
    ++inner.top;
    --inner.bottom;
  }
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

}  // namespace

void reset() {
  headless_view& v = the_view();
  v.clock.now = 0;
  v.clock.wall_at_zero = platform::filetime_unix_epoch + default_wall_seconds * 10000000;
  v.width = platform::fixed_screen_width;
  v.height = platform::fixed_screen_height;
  v.ops.clear();
  v.modal_hook = nullptr;
  v.actions.clear();
  v.run_ends.clear();
  v.hook_depth = 0;
  v.quit.reset();
  platform::set_view(&v);
  platform::set_clock(&v.clock);
  platform::store_reset();
}

HWND find_window(std::string_view name) {
  std::vector<HWND> all = platform::top_level_windows();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    platform::window_info info;
    if (!platform::query_window(*it, &info) || !info.visible) continue;
    if (info.text == name || platform::equal_ignoring_case(info.class_name, name)) return *it;
  }
  return nullptr;
}

HWND top_dialog() {
  std::vector<HWND> all = platform::top_level_windows();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    platform::window_info info;
    if (platform::query_window(*it, &info) && info.visible && info.is_dialog) return *it;
  }
  return nullptr;
}

HWND find_control(HWND parent, std::string_view name) {
  for (HWND c : platform::child_windows(parent)) {
    platform::window_info info;
    if (!platform::query_window(c, &info)) continue;
    if (info.text == name || platform::equal_ignoring_case(info.class_name, name)) return c;
  }
  return nullptr;
}

std::string text_of(HWND hwnd) {
  platform::window_info info;
  return platform::query_window(hwnd, &info) ? info.text : std::string();
}

std::vector<std::string> list_items(HWND list) {
  platform::window_info info;
  return platform::query_window(list, &info) ? info.items : std::vector<std::string>{};
}

bool is_visible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

bool is_enabled(HWND hwnd) {
  platform::window_info info;
  return platform::query_window(hwnd, &info) && info.enabled;
}

bool click(HWND hwnd) { return acted(platform::input_click(hwnd)); }
bool double_click(HWND hwnd) { return acted(platform::input_double_click(hwnd)); }
bool click_list_item(HWND list, int index) {
  return acted(platform::input_click_list_item(list, index));
}
bool type_text(HWND edit, std::string_view text) { return acted(platform::input_type_text(edit, text)); }
bool replace_text(HWND edit, std::string_view text) {
  return acted(platform::input_replace_text(edit, text));
}
bool press_enter() { return acted(platform::input_key(nullptr, VK_RETURN)); }
bool press_escape() { return acted(platform::input_key(nullptr, VK_ESCAPE)); }
bool close_box(HWND top_level) { return acted(platform::input_close_box(top_level)); }
bool choose_menu_item(HWND top_level, WORD id) {
  return acted(platform::input_choose_menu_item(top_level, id));
}

bool press_button(std::string_view text) {
  HWND dialog = top_dialog();
  for (HWND c : platform::child_windows(dialog)) {
    platform::window_info info;
    if (platform::query_window(c, &info) && info.is_button && info.text == text) return click(c);
  }
  return false;
}

void run_for_ms(int64_t ms) {
  headless_view& v = the_view();
  int64_t end = v.clock.now + (ms > 0 ? ms : 0);
  v.run_ends.push_back(end);
  struct leave {
    std::vector<int64_t>& ends;
    ~leave() { ends.pop_back(); }
  } guard{v.run_ends};
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        v.quit = static_cast<int>(msg.wParam);
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    std::optional<int64_t> next = platform::next_timer_due();
    auto action = v.earliest_action();
    if (action != v.actions.end() && action->at <= end && (!next || action->at <= *next)) {
      v.perform(action);
      continue;
    }
    if (next && *next <= end) {
      v.clock.advance_to(*next);
      continue;
    }
    v.clock.advance_to(end);
    return;
  }
}

void run_until_idle() { run_for_ms(0); }

void run_for_seconds(double seconds) { run_for_ms(static_cast<int64_t>(seconds * 1000.0 + 0.5)); }

void on_modal_loop(std::function<void(HWND)> hook) { the_view().modal_hook = std::move(hook); }

void after_seconds(double seconds, std::function<void()> action) {
  headless_view& v = the_view();
  v.actions.push_back(scheduled_action{v.clock.now + static_cast<int64_t>(seconds * 1000.0 + 0.5),
                                       v.next_order++, std::move(action)});
}

std::optional<int> quit_code() { return the_view().quit; }

int64_t now_ms() { return the_view().clock.now; }

void set_wall_clock(int64_t unix_seconds) {
  virtual_clock& c = the_view().clock;
  c.wall_at_zero = platform::filetime_unix_epoch + unix_seconds * 10000000 - c.now * 10000;
}

void set_screen_size(int width, int height) {
  the_view().width = width;
  the_view().height = height;
}

void fail_next_register_class() { platform::store().fail_next_register_class = true; }
void fail_next_create_window() { platform::store().fail_next_top_level_create = true; }

const std::vector<draw_op>& drawing() { return the_view().ops; }

std::vector<draw_op> drawing_of(HWND hwnd) {
  std::vector<draw_op> out;
  for (const auto& op : the_view().ops) {
    if (op.window == hwnd) out.push_back(op);
  }
  return out;
}

std::vector<draw_op> visible_text(HWND hwnd) {
  std::vector<draw_op> mine = drawing_of(hwnd);
  std::vector<draw_op> out;
  for (size_t i = 0; i < mine.size(); ++i) {
    if (mine[i].kind != draw_kind::text) continue;
    bool covered = false;
    for (size_t j = i + 1; j < mine.size() && !covered; ++j) covered = covers(mine[j].rect, mine[i].rect);
    if (!covered) out.push_back(mine[i]);
  }
  return out;
}

void clear_drawing() { the_view().ops.clear(); }

}  // namespace headless
