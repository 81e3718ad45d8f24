#include "platform/view.h"

#include "platform/clock.h"

namespace platform {
namespace {

// No screen: fixed sizes, nothing drawn, waits on the clock until the
// deadline (a program with no deadline and no view waits for ever).
class null_view final : public view {
 public:
  int screen_width() override { return fixed_screen_width; }
  int screen_height() override { return fixed_screen_height; }
  font_metrics dialog_font(std::string_view, int points) override { return fixed_dialog_font(points); }
  font_metrics system_font() override { return fixed_system_font; }
  int text_width(std::string_view line) override {
    return static_cast<int>(line.size()) * fixed_system_font.average_width;
  }
  void fill_rect(HWND, const RECT&, COLORREF) override {}
  void draw_text(HWND, const RECT&, const RECT&, std::string_view, COLORREF, COLORREF, bool) override {}
  void wait_for_input(std::optional<int64_t> deadline_ms) override {
    clock_source& c = current_clock();
    int64_t now = c.monotonic_ms();
    c.sleep_ms(deadline_ms ? (*deadline_ms > now ? *deadline_ms - now : 0) : 1000);
  }
};

null_view the_null_view;
view* view_in_use = &the_null_view;

}  // namespace

view& current_view() { return *view_in_use; }
void set_view(view* v) { view_in_use = v ? v : &the_null_view; }

}  // namespace platform
