// Card ticks driven whole through fakes of the reader, the windows, the sound
// and the clock: a sequence of reads, and what the person at the clock then
// sees, hears and finds in the files after each.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "attendance/card_event.h"
#include "attendance/roster.h"
#include "tests/attendance/fakes.h"

namespace {

using fake::world;
using calls = std::vector<std::string>;

const std::string card_a = "0123456789ABCDEF";
const std::string card_b = "0011223344556677";
const std::string card_x = "00000000000000AA";  // not in the roster
const std::string card_y = "00000000000000BB";  // not in the roster

// Holders A (山田) and B (佐藤), both out.
void two_holders_out() {
  write_file("idm_list.txt", card_a + " 100 山田\r\n" + card_b + " 200 佐藤\r\n");
  write_file(card_a + "_inf.txt", "state 0\r\n");
  write_file(card_b + "_inf.txt", "state 0\r\n");
  roster_load();
}

// One tick at `time` with `card` on the reader ("" for none).
calls tick(const std::string& card, int64_t time) {
  world.calls.clear();
  world.cards.push_back(card);
  world.now = time;
  EXPECT_EQ(on_card_tick(world.main_window), 0);
  return world.calls;
}

struct step {
  std::string card;        // on the reader; "" for none
  const char* typed;       // what the dialog hands back, when one opens
  calls expected;          // what the tick did
};

struct scenario {
  const char* what;
  std::vector<step> steps;
  const char* log;         // in_out.txt afterwards
};

const scenario scenarios[] = {
    {"a card left on the reader gives one event",
     {{card_a, nullptr, {"add 山田", "feedback 1 at 1700000000", "counter 1", "invalidate"}},
      {card_a, nullptr, {"invalidate"}},
      {card_a, nullptr, {"invalidate"}}},
     "2023/11/15 07:13:20 in__入室 山田\r\n"},
    {"a card taken off and presented again alone gives one event",
     {{card_a, nullptr, {"add 山田", "feedback 1 at 1700000000", "counter 1", "invalidate"}},
      {"", nullptr, {"invalidate"}},
      {card_a, nullptr, {"invalidate"}}},
     "2023/11/15 07:13:20 in__入室 山田\r\n"},
    {"A, B, A: three events",
     {{card_a, nullptr, {"add 山田", "feedback 1 at 1700000000", "counter 1", "invalidate"}},
      {card_b, nullptr, {"add 佐藤", "feedback 1 at 1700000003", "counter 2", "invalidate"}},
      {card_a, nullptr, {"remove 山田", "feedback 0 at 1700000006", "counter 1", "invalidate"}}},
     "2023/11/15 07:13:20 in__入室 山田\r\n"
     "2023/11/15 07:13:23 in__入室 佐藤\r\n"
     "2023/11/15 07:13:26 out_退室 山田\r\n"},
    {"a cancelled registration is offered again only after another card",
     {{card_x, "", {"dialog", "feedback -1 at 1700000000", "counter 0", "invalidate"}},
      {card_x, nullptr, {"invalidate"}},
      {card_a, nullptr, {"add 山田", "feedback 1 at 1700000006", "counter 1", "invalidate"}},
      {card_x, "", {"dialog", "feedback -1 at 1700000009", "counter 1", "invalidate"}}},
     "2023/11/15 07:13:26 in__入室 山田\r\n"},
    {"a one-byte name is not registered, two ASCII letters are",
     {{card_x, "a", {"dialog", "feedback -1 at 1700000000", "counter 0", "invalidate"}},
      {card_a, nullptr, {"add 山田", "feedback 1 at 1700000003", "counter 1", "invalidate"}},
      {card_x, "ab", {"dialog", "add ab", "feedback 1 at 1700000006", "counter 2", "invalidate"}}},
     "2023/11/15 07:13:23 in__入室 山田\r\n"
     "2023/11/15 07:13:26 in__入室 ab\r\n"},
    {"one double-byte character is a name",
     {{card_x, "林", {"dialog", "add 林", "feedback 1 at 1700000000", "counter 1", "invalidate"}},
      {card_x, nullptr, {"invalidate"}}},
     "2023/11/15 07:13:20 in__入室 林\r\n"},
    {"no card at all only repaints",
     {{"", nullptr, {"invalidate"}}, {"", nullptr, {"invalidate"}}},
     "<missing>"},
};

using card_ticks = data_folder;

TEST_F(card_ticks, event_rules) {
  for (const scenario& s : scenarios) {
    SCOPED_TRACE(s.what);
    std::filesystem::remove("in_out.txt");
    std::filesystem::remove(card_x + "_inf.txt");
    fake::reset();
    two_holders_out();
    int64_t time = 1700000000;
    for (const step& st : s.steps) {
      if (st.typed != nullptr) world.dialogs.push_back({st.typed, nullptr});
      EXPECT_EQ(tick(st.card, time), st.expected) << "card " << st.card << " at " << time;
      EXPECT_TRUE(world.dialogs.empty());
      time += 3;
    }
    EXPECT_EQ(file_bytes("in_out.txt"), s.log);
  }
}

TEST_F(card_ticks, an_event_shows_its_line_in_the_colour_of_its_entry) {
  two_holders_out();
  current_index = roster.count;
  tick(card_b, 1700000000);
  EXPECT_STREQ(event_text, "佐藤 : 2023/11/15 07:13:20 : in__入室\n");
  EXPECT_STREQ(last_idm, card_b.c_str());
  EXPECT_EQ(current_index, 1);
  EXPECT_EQ(repaint_pending, 1);

  repaint_pending = 0;  // the paint handler's part
  tick("", 1700000003);
  EXPECT_EQ(repaint_pending, 0) << "a tick without an event repaints without clearing";
  EXPECT_STREQ(event_text, "佐藤 : 2023/11/15 07:13:20 : in__入室\n");

  world.dialogs.push_back({"", nullptr});
  tick(card_x, 1700000006);
  EXPECT_STREQ(event_text, "") << "a cancelled registration shows an empty text";
  EXPECT_EQ(current_index, 2) << "the roster count after a cancelled registration";
  EXPECT_EQ(repaint_pending, 1);
}

TEST_F(card_ticks, a_new_card_is_registered_at_the_time_it_was_read_and_comes_in) {
  two_holders_out();
  write_file(card_x + "_inf.txt", "state 1\r\n");  // left from long ago
  world.dialogs.push_back({"鈴木 一郎", [] { world.now += 600; }});

  EXPECT_EQ(tick(card_x, 1700000000),
            (calls{"dialog", "add 鈴木 一郎", "feedback 1 at 1700000000", "counter 1",
                   "invalidate"}));

  EXPECT_EQ(file_bytes("idm_list.txt"), card_a + " 100 山田\r\n" + card_b + " 200 佐藤\r\n" +
                                            card_x + " 1700000000 鈴木 一郎\r\n");
  EXPECT_EQ(file_bytes("in_out.txt"), "2023/11/15 07:13:20 in__入室 鈴木 一郎\r\n");
  EXPECT_EQ(file_bytes(card_x + "_inf.txt"), "state 1\r\n");
  EXPECT_EQ(current_index, 2);
  EXPECT_EQ(roster.entries[2].state, 1);
}

TEST_F(card_ticks, two_holders_with_one_name_leave_one_list_item_when_one_goes) {
  write_file("idm_list.txt", card_a + " 1 Sato\r\n" + card_b + " 2 Sato\r\n");
  roster_load();
  tick(card_a, 1700000000);
  tick(card_b, 1700000003);
  EXPECT_EQ(tick(card_a, 1700000006), (calls{"remove Sato", "feedback 0 at 1700000006", "counter 1",
                                       "invalidate"}));
  EXPECT_EQ(world.presence, (std::vector<std::string>{"Sato"}));
}

// While the registration dialog of card X is open, the modal loop runs ticks:
// X itself (still on the reader), holder B's card, and an unknown card Y that
// opens a second dialog. Then X's dialog closes.
TEST_F(card_ticks, ticks_inside_a_registration_dialog_run_in_full) {
  two_holders_out();
  calls inner_b, inner_y, inner_x;
  world.dialogs.push_back({"Xさん", [&] {
    inner_x = tick(card_x, 1700000003);
    inner_b = tick(card_b, 1700000006);
    world.dialogs.push_front({"Yさん", nullptr});
    inner_y = tick(card_y, 1700000009);
    world.calls.clear();
    world.now = 1700000100;
  }});

  world.cards.push_back(card_x);
  world.now = 1700000000;
  on_card_tick(world.main_window);

  EXPECT_EQ(inner_x, calls{"invalidate"}) << "the card waiting for its name is no event";
  EXPECT_EQ(inner_b, (calls{"add 佐藤", "feedback 1 at 1700000006", "counter 1", "invalidate"}));
  EXPECT_EQ(inner_y, (calls{"dialog", "add Yさん", "feedback 1 at 1700000009", "counter 2",
                            "invalidate"}));
  EXPECT_EQ(world.calls, (calls{"add Xさん", "feedback 1 at 1700000000", "counter 3", "invalidate"}));

  EXPECT_EQ(file_bytes("idm_list.txt"), card_a + " 100 山田\r\n" + card_b + " 200 佐藤\r\n" +
                                            card_y + " 1700000009 Yさん\r\n" + card_x +
                                            " 1700000000 Xさん\r\n");
  EXPECT_EQ(current_index, 3) << "X goes after Y, whatever the inner ticks left";
  EXPECT_EQ(file_bytes("in_out.txt"),
            "2023/11/15 07:13:26 in__入室 佐藤\r\n"
            "2023/11/15 07:13:29 in__入室 Yさん\r\n"
            "2023/11/15 07:13:20 in__入室 Xさん\r\n");
  EXPECT_STREQ(event_text,
               "Yさん : 2023/11/15 07:13:29 : in__入室\n"
               "Xさん : 2023/11/15 07:13:20 : in__入室\n")
      << "the inner line stays in front of the outer one";
  EXPECT_STREQ(last_idm, card_y.c_str());
}

TEST_F(card_ticks, a_failed_write_is_told_and_not_reported_as_done) {
  two_holders_out();
  std::filesystem::create_directory("in_out.txt");

  EXPECT_EQ(tick(card_a, 1700000000), (calls{"failure", "counter 0", "invalidate"}));
  ASSERT_EQ(world.failures.size(), 1u);
  EXPECT_NE(world.failures[0].find("入退室を記録できませんでした"), std::string::npos);
  EXPECT_EQ(file_bytes(card_a + "_inf.txt"), "state 0\r\n");
  EXPECT_STREQ(event_text, "");
  EXPECT_STREQ(last_idm, "") << "the same card presented again tries again";

  std::filesystem::remove("in_out.txt");
  EXPECT_EQ(tick(card_a, 1700000003), (calls{"add 山田", "feedback 1 at 1700000003", "counter 1",
                                       "invalidate"}));
}

TEST_F(card_ticks, a_card_that_cannot_be_registered_is_told) {
  two_holders_out();
  std::filesystem::remove("idm_list.txt");
  std::filesystem::create_symlink("/dev/full", "idm_list.txt");
  world.dialogs.push_back({"Xさん", nullptr});

  EXPECT_EQ(tick(card_x, 1700000000), (calls{"dialog", "failure", "counter 0", "invalidate"}));
  ASSERT_EQ(world.failures.size(), 1u);
  EXPECT_NE(world.failures[0].find("カードを登録できませんでした"), std::string::npos);
  EXPECT_EQ(roster.count, 2);
  EXPECT_EQ(current_index, 2);
  EXPECT_EQ(file_bytes(card_x + "_inf.txt"), "<missing>");
  EXPECT_STREQ(last_idm, "");
}

TEST_F(card_ticks, a_card_handled_while_the_failure_is_shown_stays_the_last_card) {
  two_holders_out();
  std::filesystem::remove(card_a + "_inf.txt");
  std::filesystem::create_directory(card_a + "_inf.txt");
  calls inner;
  world.while_failure_shown = [&] {
    inner = tick(card_b, 1700000003);
    std::filesystem::remove(card_a + "_inf.txt");
  };
  tick(card_a, 1700000000);
  EXPECT_EQ(inner, (calls{"add 佐藤", "feedback 1 at 1700000003", "counter 1", "invalidate"}));
  EXPECT_STREQ(last_idm, card_b.c_str());
  EXPECT_EQ(file_bytes("in_out.txt"), "2023/11/15 07:13:23 in__入室 佐藤\r\n");
}

}  // namespace
