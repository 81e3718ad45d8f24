// What a person at the clock does, and what they then see, hear and find in
// the files. The virtual clock starts at 2026-04-01 09:00:00 UTC; in sound
// mode 0 the start-up tone holds the first 500 ms, so the poll timer ticks at
// 3.5 s, 6.5 s, 9.5 s ... after the start.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "platform/headless.h"
#include "tests/app/program_fixture.h"

namespace {

constexpr int64_t start = 1775034000;  // 2026-04-01 09:00:00 UTC
const std::string card_a = "012E000AFF109B7C";
const std::string card_b = "0101010101010101";
const std::string card_c = "0A0B0C0D0E0F1011";

// The wall-clock second of poll tick `n` (1 = the first) in sound mode 0.
int64_t tick_second(int n) { return start + (500 + 3000 * n) / 1000; }

std::string roster_line(const std::string& idm, int64_t t, const std::string& name) {
  return idm + " " + std::to_string(t) + " " + name + "\r\n";
}
std::string log_line(int64_t t, const char* label, const std::string& name) {
  return stamp_utc(t) + " " + label + " " + name + "\r\n";
}

class scenario : public program_test {
 protected:
  void SetUp() override {
    program_test::SetUp();
    headless::set_wall_clock(start);
  }
};

TEST_F(scenario, first_start_in_an_empty_folder_shows_the_empty_list_and_writes_nothing) {
  std::vector<std::string> seen;
  at(1.0, [&] {
    EXPECT_TRUE(headless::is_visible(main_window_handle()));
    EXPECT_EQ(label_text(), "出勤者一覧");
    EXPECT_TRUE(listed_names().empty());
    EXPECT_TRUE(visible_lines().empty());
  });
  quit_at(10.0);
  EXPECT_EQ(run_program(), 0);

  auto sounds = sound_record();
  ASSERT_FALSE(sounds.empty());
  EXPECT_EQ(sounds[0].kind, sound_kind::tone);
  EXPECT_EQ(sounds[0].frequency, 262u);
  EXPECT_EQ(sounds[0].duration, 500u);
  EXPECT_EQ(sounds[0].tick, 0u);
  EXPECT_TRUE(std::filesystem::is_empty(data_folder));
}

TEST_F(scenario, an_unknown_card_is_registered_under_the_typed_name_and_comes_in) {
  put_card(card_a);
  bool owned_by_main_window = false;
  bool owner_disabled = false;
  answer_next_dialog_with([&](HWND dialog) {
    owned_by_main_window = GetParent(dialog) == main_window_handle();
    owner_disabled = !headless::is_enabled(main_window_handle());
    headless::replace_text(GetDlgItem(dialog, 102), "山田");
    headless::click(GetDlgItem(dialog, 100));
  });
  quit_at(8.0);
  EXPECT_EQ(run_program(), 0);

  ASSERT_EQ(dialog_opened_ms.size(), 1u);
  EXPECT_EQ(dialog_opened_ms[0], 3500);  // the first read, 3 s after the window shows
  EXPECT_TRUE(owned_by_main_window);
  EXPECT_TRUE(owner_disabled);

  const int64_t t = tick_second(1);
  EXPECT_EQ(file("idm_list.txt"), roster_line(card_a, t, "山田"));
  EXPECT_EQ(file(card_a + "_inf.txt"), "state 1\r\n");
  EXPECT_EQ(file("in_out.txt"), log_line(t, "in__入室", "山田"));

  // The tone follows the one-second wait after the submit.
  auto sounds = sounds_since(1);
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].kind, sound_kind::tone);
  EXPECT_GE(sounds[0].tick, 3500u + 1000u);
}

TEST_F(scenario, after_registration_the_list_count_and_coloured_line_show_the_holder) {
  put_card(card_a);
  answer_next_dialog("山田");
  at(7.0, [&] {
    EXPECT_EQ(listed_names(), std::vector<std::string>{"山田"});
    EXPECT_EQ(label_text(), "出勤者数1人");
    const std::string line = "山田 : " + stamp_utc(tick_second(1)) + " : in__入室";
    EXPECT_EQ(visible_lines(), std::vector<std::string>{line});
    EXPECT_EQ(visible_colour(), RGB(0, 255, 255));  // roster index 0
  });
  quit_at(8.0);
  EXPECT_EQ(run_program(), 0);
}

TEST_F(scenario, a_card_left_on_the_reader_is_one_event_and_a_b_a_are_three) {
  put_card(card_a);
  answer_next_dialog("山田");
  at(20.0, [&] { put_card(card_b); });   // a's card lay there for six ticks
  answer_next_dialog("佐藤");
  at(26.0, [&] { put_card(card_a); });
  at(30.0, [&] {
    EXPECT_EQ(listed_names(), std::vector<std::string>{"佐藤"});
    EXPECT_EQ(label_text(), "出勤者数1人");
    EXPECT_EQ(visible_colour(), RGB(0, 255, 255));  // a is roster index 0
  });
  quit_at(31.0);
  EXPECT_EQ(run_program(), 0);

  EXPECT_EQ(dialog_opened_ms.size(), 2u);
  EXPECT_EQ(file("in_out.txt"), log_line(tick_second(1), "in__入室", "山田") +
                                    log_line(tick_second(7), "in__入室", "佐藤") +
                                    log_line(tick_second(9), "out_退室", "山田"));
  EXPECT_EQ(file(card_a + "_inf.txt"), "state 0\r\n");
  EXPECT_EQ(file(card_b + "_inf.txt"), "state 1\r\n");
}

TEST_F(scenario, a_registration_closed_by_the_close_box_writes_nothing_and_is_not_offered_again) {
  put_card(card_a);
  answer_next_dialog_with([](HWND dialog) {
    headless::replace_text(GetDlgItem(dialog, 102), "山田");
    headless::close_box(dialog);
  });
  at(5.0, [&] {
    EXPECT_EQ(label_text(), "出勤者数0人");
    EXPECT_TRUE(visible_lines().empty());
  });
  at(11.0, [&] { remove_card(); });
  at(14.0, [&] { put_card(card_a); });  // again, with no other card between
  quit_at(20.0);
  EXPECT_EQ(run_program(), 0);

  EXPECT_EQ(dialog_opened_ms.size(), 1u);
  EXPECT_FALSE(file_exists("idm_list.txt"));
  EXPECT_FALSE(file_exists(card_a + "_inf.txt"));
  EXPECT_FALSE(file_exists("in_out.txt"));
  auto sounds = sounds_since(1);
  ASSERT_EQ(sounds.size(), 1u);  // the feedback still sounds
  EXPECT_EQ(sounds[0].kind, sound_kind::tone);
}

struct submit_case {
  const char* what;
  std::function<void(HWND)> action;
  bool registered;
  std::string name;
};

class submitting : public scenario, public ::testing::WithParamInterface<int> {};

const submit_case& submit_case_at(int i) {
  static const std::vector<submit_case> cases = {
      {"escape submits", [](HWND d) { headless::replace_text(GetDlgItem(d, 102), "鈴木"); headless::press_escape(); },
       true, "鈴木"},
      {"enter submits", [](HWND d) { headless::replace_text(GetDlgItem(d, 102), "鈴木"); headless::press_enter(); },
       true, "鈴木"},
      {"untouched field", [](HWND d) { headless::click(GetDlgItem(d, 100)); }, true, "ここに入力"},
      {"one byte is no name", [](HWND d) { headless::replace_text(GetDlgItem(d, 102), "A"); headless::click(GetDlgItem(d, 100)); },
       false, ""},
      {"two bytes are a name", [](HWND d) { headless::replace_text(GetDlgItem(d, 102), "AB"); headless::click(GetDlgItem(d, 100)); },
       true, "AB"},
      {"empty field", [](HWND d) { headless::replace_text(GetDlgItem(d, 102), ""); headless::click(GetDlgItem(d, 100)); },
       false, ""},
  };
  return cases[static_cast<size_t>(i)];
}

TEST_P(submitting, registers_only_names_of_two_bytes_or_more) {
  const submit_case& c = submit_case_at(GetParam());
  SCOPED_TRACE(c.what);
  put_card(card_a);
  answer_next_dialog_with(c.action);
  quit_at(8.0);
  EXPECT_EQ(run_program(), 0);
  if (c.registered) {
    EXPECT_EQ(file("idm_list.txt"), roster_line(card_a, tick_second(1), c.name));
    EXPECT_EQ(file(card_a + "_inf.txt"), "state 1\r\n");
  } else {
    EXPECT_FALSE(file_exists("idm_list.txt"));
    EXPECT_FALSE(file_exists(card_a + "_inf.txt"));
  }
}

INSTANTIATE_TEST_SUITE_P(dialog, submitting, ::testing::Range(0, 6));

TEST_F(scenario, a_registered_card_is_handled_in_full_while_a_dialog_is_open) {
  write_file("idm_list.txt", roster_line(card_b, start - 100, "佐藤"));
  write_file(card_b + "_inf.txt", "state 0\r\n");
  put_card(card_a);
  // The dialog for a stays open while b is presented and moved in.
  answer_next_dialog_with([&](HWND dialog) {
    at(5.0, [&] { put_card(card_b); });
    at(8.0, [&, dialog] {
      EXPECT_EQ(listed_names(), std::vector<std::string>{"佐藤"});
      EXPECT_EQ(label_text(), "出勤者数1人");
      headless::replace_text(GetDlgItem(dialog, 102), "山田");
      headless::click(GetDlgItem(dialog, 100));
    });
  });
  at(11.0, [&] { EXPECT_EQ(listed_names(), (std::vector<std::string>{"佐藤", "山田"})); });
  quit_at(12.0);
  EXPECT_EQ(run_program(), 0);

  // b's line comes first; a's line follows with the earlier time stamp.
  EXPECT_EQ(file("in_out.txt"), log_line(tick_second(2), "in__入室", "佐藤") +
                                    log_line(tick_second(1), "in__入室", "山田"));
  EXPECT_EQ(file("idm_list.txt"), roster_line(card_b, start - 100, "佐藤") +
                                      roster_line(card_a, tick_second(1), "山田"));
}

TEST_F(scenario, a_second_unknown_card_opens_a_second_dialog_and_each_name_goes_to_its_card) {
  put_card(card_a);
  answer_next_dialog_with([&](HWND outer) {
    at(5.0, [&] { put_card(card_b); });
    // Inside the second dialog, answer it; then answer the first.
    answer_next_dialog_with([&, outer](HWND inner) {
      headless::replace_text(GetDlgItem(inner, 102), "佐藤");
      at(8.0, [&, outer] {
        headless::replace_text(GetDlgItem(outer, 102), "山田");
        headless::click(GetDlgItem(outer, 100));
      });
      headless::click(GetDlgItem(inner, 100));
    });
  });
  quit_at(14.0);
  EXPECT_EQ(run_program(), 0);

  EXPECT_EQ(dialog_opened_ms.size(), 2u);
  // The outer card is appended after the inner registration.
  EXPECT_EQ(file("idm_list.txt"), roster_line(card_b, tick_second(2), "佐藤") +
                                      roster_line(card_a, tick_second(1), "山田"));
  EXPECT_EQ(file(card_a + "_inf.txt"), "state 1\r\n");
  EXPECT_EQ(file(card_b + "_inf.txt"), "state 1\r\n");
}

TEST_F(scenario, a_card_is_handled_while_the_quit_question_is_open) {
  write_file("idm_list.txt", roster_line(card_b, start - 100, "佐藤"));
  write_file(card_b + "_inf.txt", "state 0\r\n");
  at(2.0, [&] { headless::close_box(main_window_handle()); });  // the question stays open
  at(3.0, [&] { put_card(card_b); });
  at(5.0, [&] {
    EXPECT_EQ(listed_names(), std::vector<std::string>{"佐藤"});
    headless::press_button("いいえ");
  });
  quit_at(6.0);
  EXPECT_EQ(run_program(), 0);
  EXPECT_EQ(file(card_b + "_inf.txt"), "state 1\r\n");
}

TEST_F(scenario, a_restart_lists_who_is_in_sorted_and_equal_names_twice) {
  write_file("idm_list.txt", roster_line(card_a, start, "山田") + roster_line(card_b, start, "佐藤") +
                                 roster_line(card_c, start, "山田") +
                                 roster_line("1111111111111111", start, "伊藤"));
  write_file(card_a + "_inf.txt", "state 1\r\n");
  write_file(card_b + "_inf.txt", "state 1\r\n");
  write_file(card_c + "_inf.txt", "state 1\r\n");
  write_file("1111111111111111_inf.txt", "state 2\r\n");  // not exactly 1: not listed
  at(1.0, [&] {
    // Shift-JIS order: 佐 (8D B2) before 山 (8E 52).
    EXPECT_EQ(listed_names(), (std::vector<std::string>{"佐藤", "山田", "山田"}));
    EXPECT_EQ(label_text(), "出勤者一覧");
    put_card(card_c);
  });
  at(5.0, [&] {
    EXPECT_EQ(listed_names(), (std::vector<std::string>{"佐藤", "山田"}));
    EXPECT_EQ(label_text(), "出勤者数2人");
    EXPECT_EQ(visible_colour(), RGB(255, 0, 255));  // roster index 2
  });
  quit_at(6.0);
  EXPECT_EQ(run_program(), 0);
}

TEST_F(scenario, quit_answered_no_keeps_the_program_running) {
  bool asked = false;
  at(2.0, [&] { headless::choose_menu_item(main_window_handle(), 204); });
  at(3.0, [&] {
    HWND box = headless::top_dialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(headless::text_of(box), "確認");
    asked = true;
    headless::press_button("いいえ");
  });
  at(4.0, [&] { EXPECT_TRUE(headless::is_visible(main_window_handle())); });
  quit_at(5.0);
  EXPECT_EQ(run_program(), 0);
  EXPECT_TRUE(asked);
}

TEST_F(scenario, a_window_that_can_not_be_created_gives_the_error_box_and_status_1) {
  headless::fail_next_create_window();
  bool error_shown = false;
  headless::on_modal_loop([&](HWND box) {
    EXPECT_EQ(headless::text_of(box), "エラー");
    error_shown = true;
    headless::press_button("OK");
  });
  EXPECT_EQ(run_program(), 1);
  EXPECT_TRUE(error_shown);
}

TEST_F(scenario, change_sound_cycles_the_modes_and_plays_each_sample) {
  at(1.0, [&] { headless::click(change_sound_button); });
  at(2.0, [&] { EXPECT_EQ(file("sound.ini"), "1\r\n"); headless::click(change_sound_button); });
  at(3.0, [&] { EXPECT_EQ(file("sound.ini"), "2\r\n"); headless::click(change_sound_button); });
  quit_at(3.2);
  EXPECT_EQ(run_program(), 0);
  EXPECT_EQ(file("sound.ini"), "0\r\n");

  auto sounds = sounds_since(1);  // after the start-up tone
  ASSERT_EQ(sounds.size(), 3u);
  EXPECT_EQ(sounds[0].kind, sound_kind::wave);
  EXPECT_EQ(sounds[0].name, "Beep");
  EXPECT_EQ(sounds[1].kind, sound_kind::wave);
  EXPECT_EQ(sounds[1].name, "oha");  // 09:00 UTC
  EXPECT_EQ(sounds[2].kind, sound_kind::tone);
}

TEST_F(scenario, without_the_reader_library_the_first_tick_ends_the_run_with_status_1) {
  setenv("CommonProgramFiles", (data_folder / "nowhere").c_str(), 1);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        quit_at(10.0);
        run_program();
      },
      ::testing::ExitedWithCode(1), "^PaSoRi open failed.\n$");
}

}  // namespace
