// The main window's place on the screen, its menu and its painting.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "platform/headless.h"
#include "tests/app/program_fixture.h"

namespace {

struct placement_case {
  int screen_width, screen_height;
  int x, y;
};

class placement : public program_test, public ::testing::WithParamInterface<placement_case> {};

TEST_P(placement, the_window_is_centred_with_truncating_division) {
  const placement_case c = GetParam();
  headless::set_screen_size(c.screen_width, c.screen_height);
  RECT outer{};
  at(1.0, [&] { GetWindowRect(main_window_handle(), &outer); });
  quit_at(2.0);
  EXPECT_EQ(run_program(), 0);
  EXPECT_EQ(outer.left, c.x);
  EXPECT_EQ(outer.top, c.y);
  EXPECT_EQ(outer.right - outer.left, 400);
  EXPECT_EQ(outer.bottom - outer.top, 300);
}

INSTANTIATE_TEST_SUITE_P(screens, placement,
                         ::testing::Values(placement_case{1024, 768, 312, 234},
                                           placement_case{397, 300, -1, 0},
                                           placement_case{399, 299, 0, 0}));

TEST_F(program_test, the_menu_items_without_a_job_do_nothing) {
  for (WORD id : {200, 201, 202, 203, 205, 206, 207, 208}) {
    at(1.0 + id / 1000.0, [this, id] {
      headless::choose_menu_item(main_window_handle(), id);
      EXPECT_EQ(headless::top_dialog(), nullptr) << id;
    });
  }
  at(1.5, [this] { headless::double_click(presence_list); });
  quit_at(2.0);
  EXPECT_EQ(run_program(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(data_folder));
}

TEST_F(program_test, the_about_box_names_the_program) {
  std::string text;
  headless::on_modal_loop([&](HWND box) {
    if (headless::text_of(box) != "バージョン情報") return;
    text = headless::text_of(headless::find_control(box, "STATIC"));
    headless::press_button("OK");
  });
  at(1.0, [this] { headless::choose_menu_item(main_window_handle(), 209); });
  at(2.0, [this] {
    headless::on_modal_loop([](HWND) { headless::press_button("はい"); });
    headless::close_box(main_window_handle());
  });
  EXPECT_EQ(run_program(), 0);
  EXPECT_NE(text.find("PORTELIA.exe version1.0A\nfelicaカードで入退室・勤務時間管理\n"), std::string::npos) << text;
}

TEST_F(program_test, between_events_the_line_is_redrawn_every_tick_without_clearing) {
  write_file("idm_list.txt", "0000000000000001 0 A1\r\n0000000000000002 0 B2\r\n");
  put_card("0000000000000002");
  at(4.0, [] { headless::clear_drawing(); });
  quit_at(13.0);  // ticks at 6.5, 9.5 and 12.5 s
  EXPECT_EQ(run_program(), 0);

  int texts = 0;
  for (const auto& op : headless::drawing_of(main_window)) {
    EXPECT_EQ(op.kind, headless::draw_kind::text) << "nothing clears between events";
    if (op.kind != headless::draw_kind::text) continue;
    ++texts;
    EXPECT_EQ(op.colour, RGB(0, 0, 255));  // roster index 1
  }
  EXPECT_GE(texts, 3);
}

}  // namespace
