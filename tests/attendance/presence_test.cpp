// Presence state files, the movement log, time stamps and the event line: what
// one movement leaves in the files and on the screen.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "attendance/card_event.h"
#include "attendance/event_line.h"
#include "attendance/movement_log.h"
#include "attendance/presence.h"
#include "attendance/roster.h"
#include "attendance/state_file.h"
#include "attendance/timestamp.h"
#include "tests/attendance/fakes.h"

namespace {

const char card[] = "0123456789ABCDEF";
const char state_file[] = "0123456789ABCDEF_inf.txt";

using presence = data_folder;

struct read_case {
  const char* what;
  std::string content;  // "<missing>" for no file
  int32_t state;
};

const read_case read_cases[] = {
    {"out as written", "state 0\r\n", 0},
    {"in as written", "state 1\r\n", 1},
    {"other values as they stand", "state 7\r\n", 7},
    {"negative", "state -2\r\n", -2},
    {"plus sign", "state +1", 1},
    {"largest", "state 2147483647\r\n", INT_MAX},
    {"smallest", "state -2147483648\r\n", INT_MIN},
    {"blanks of every kind before the number", "state\t\x0B\x0C\r\n 1", 1},
    {"no blank at all", "state1", 1},
    {"anything after the number", "state 1abc\r\nstate 0\r\n", 1},
    {"missing file", "<missing>", 0},
    {"empty file", "", 0},
    {"no number", "state \r\n", 0},
    {"a lone sign", "state -\r\n", 0},
    {"not a number", "state one\r\n", 0},
    {"beyond 32 bits", "state 2147483648\r\n", 0},
    {"upper case", "STATE 1\r\n", 0},
    {"blank before the word", " state 1\r\n", 0},
    {"0x80-0xFF are not blanks", "state\x81\x40" "1", 0},
};

TEST_F(presence, state_file_reads) {
  for (const read_case& c : read_cases) {
    SCOPED_TRACE(c.what);
    std::remove(state_file);
    if (c.content != "<missing>") write_file(state_file, c.content);
    EXPECT_EQ(state_read(card), c.state);
  }
}

TEST_F(presence, state_file_writes_one_line_with_cr_lf) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "state 0\r\n"}, {1, "state 1\r\n"}, {-2, "state -2\r\n"},
      {INT_MAX, "state 2147483647\r\n"}, {INT_MIN, "state -2147483648\r\n"}};
  write_file(state_file, "state 1\r\nsome older and longer content\r\n");
  for (const auto& [state, bytes] : cases) {
    ASSERT_TRUE(state_write(card, state));
    EXPECT_EQ(file_bytes(state_file), bytes);
    EXPECT_EQ(state_read(card), state);
  }
  EXPECT_EQ(file_bytes(state_file).size(), 19u);
  ASSERT_TRUE(state_write(card, 0));
  EXPECT_EQ(file_bytes(state_file).size(), 9u);
  EXPECT_TRUE(leftover_temporaries().empty());
}

struct stamp_case {
  int64_t time;
  const char* text;
};

TEST_F(presence, time_stamps_are_local_with_the_year_from_its_last_two_digits) {
  const stamp_case cases[] = {
      {1700000000, "2023/11/15 07:13:20"},
      {946652400, "2000/01/01 00:00:00"},
      {946652399, "2099/12/31 23:59:59"},  // 1999
      {0, "2070/01/01 09:00:00"},          // 1970
      {-1, "2070/01/01 08:59:59"},
      {2147483647, "2038/01/19 12:14:07"},
      {2147483648, "2038/01/19 12:14:08"},  // past 32 bits
      {4102444800, "2000/01/01 09:00:00"},  // 2100
  };
  for (const stamp_case& c : cases) {
    char text[timestamp_size];
    std::memset(text, 'x', sizeof text);
    format_timestamp(c.time, text);
    EXPECT_STREQ(text, c.text) << c.time;
  }
}

// A roster of one card, registered this run under `name`, whose state file
// holds `content`.
void one_card(const char* name, const std::string& content) {
  write_file("idm_list.txt", std::string(card) + " 100 Someone\r\n");
  roster_load();
  std::snprintf(roster.entries[0].name, sizeof roster.entries[0].name, "%s", name);
  if (content != "<missing>") write_file(state_file, content);
}

struct flip_case {
  std::string old_content;
  int32_t new_state;
  const char* label;
};

TEST_F(presence, a_movement_flips_even_states_to_in_and_odd_states_to_out) {
  const flip_case cases[] = {
      {"state 0\r\n", 1, "in__入室"},        {"state 1\r\n", 0, "out_退室"},
      {"state 2\r\n", 1, "in__入室"},        {"state 7\r\n", 0, "out_退室"},
      {"state -2\r\n", 1, "in__入室"},       {"state -1\r\n", 0, "out_退室"},
      {"state 2147483647\r\n", 0, "out_退室"}, {"state -2147483648\r\n", 1, "in__入室"},
      {"<missing>", 1, "in__入室"},          {"garbage", 1, "in__入室"},
  };
  for (const flip_case& c : cases) {
    SCOPED_TRACE(c.old_content);
    std::remove(state_file);
    std::remove("in_out.txt");
    one_card("山田 太郎", c.old_content);
    std::memset(event_text, 0, sizeof event_text);

    EXPECT_EQ(record_movement(0, 1700000000), c.new_state);

    EXPECT_EQ(roster.entries[0].state, c.new_state);
    EXPECT_EQ(file_bytes(state_file), "state " + std::to_string(c.new_state) + "\r\n");
    EXPECT_EQ(file_bytes("in_out.txt"),
              std::string("2023/11/15 07:13:20 ") + c.label + " 山田 太郎\r\n");
    EXPECT_EQ(std::string(event_text),
              std::string("山田 太郎 : 2023/11/15 07:13:20 : ") + c.label + "\n");
  }
}

TEST_F(presence, movements_alternate_and_the_log_only_grows) {
  one_card("Taro", "state 0\r\n");
  EXPECT_EQ(record_movement(0, 1700000000), 1);
  EXPECT_EQ(record_movement(0, 1700000060), 0);
  EXPECT_EQ(record_movement(0, 1700000120), 1);
  EXPECT_EQ(file_bytes("in_out.txt"),
            "2023/11/15 07:13:20 in__入室 Taro\r\n"
            "2023/11/15 07:14:20 out_退室 Taro\r\n"
            "2023/11/15 07:15:20 in__入室 Taro\r\n");
  EXPECT_EQ(std::string(event_text),
            "Taro : 2023/11/15 07:13:20 : in__入室\n"
            "Taro : 2023/11/15 07:14:20 : out_退室\n"
            "Taro : 2023/11/15 07:15:20 : in__入室\n")
      << "record_movement appends; emptying is the card event's business";
}

TEST_F(presence, event_lines_are_appended_whole_or_not_at_all) {
  const std::string longest(255, 'n');  // the line is 289 bytes
  event_line(longest.c_str(), "2023/11/15 07:13:20", 1);
  EXPECT_EQ(std::string(event_text), longest + " : 2023/11/15 07:13:20 : in__入室\n");

  int lines = 1;
  while (std::strlen(event_text) + 289 < sizeof event_text) {
    event_line(longest.c_str(), "2023/11/15 07:13:20", 0);
    ++lines;
  }
  const std::string full(event_text);
  event_line(longest.c_str(), "2023/11/15 07:13:20", 0);
  EXPECT_EQ(std::string(event_text), full) << "a line that no longer fits is left out";
  EXPECT_EQ(lines, 28);
  EXPECT_EQ(event_text[sizeof event_text - 1], '\0');
  event_line("", "2023/11/15 07:13:20", 0);
  EXPECT_EQ(std::string(event_text), full + " : 2023/11/15 07:13:20 : out_退室\n")
      << "a shorter line that still fits is appended";
}

struct fill_case {
  const char* what;
  std::vector<std::string> states;  // state file content of each card
  std::vector<std::string> listed;
};

std::vector<std::string> listed_names;
void list_name(const char* name) { listed_names.push_back(name); }

TEST_F(presence, startup_lists_exactly_the_holders_whose_files_read_1) {
  const fill_case cases[] = {
      {"no entries", {}, {}},
      {"in and out", {"state 1\r\n", "state 0\r\n", "state 1\r\n"}, {"Card0", "Card2"}},
      {"other values", {"state 2\r\n", "state 7\r\n", "state -2\r\n", "state -1\r\n"}, {}},
      {"missing or unreadable", {"<missing>", "garbage", "state +1"}, {"Card2"}},
  };
  for (const fill_case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string roster_lines;
    for (size_t i = 0; i < c.states.size(); ++i) {
      const std::string idm = "000000000000000" + std::to_string(i);
      roster_lines += idm + " 1 Card" + std::to_string(i) + "\r\n";
      std::remove((idm + "_inf.txt").c_str());
      if (c.states[i] != "<missing>") write_file(idm + "_inf.txt", c.states[i]);
    }
    write_file("idm_list.txt", roster_lines);
    roster_load();
    listed_names.clear();
    presence_list_fill(list_name);
    EXPECT_EQ(listed_names, c.listed);
  }
}

TEST_F(presence, two_entries_of_one_card_are_both_listed) {
  write_file("idm_list.txt", std::string(card) + " 1 Taro\r\n" + card + " 2 Jiro\r\n");
  write_file(state_file, "state 1\r\n");
  roster_load();
  listed_names.clear();
  presence_list_fill(list_name);
  EXPECT_EQ(listed_names, (std::vector<std::string>{"Taro", "Jiro"}));
}

}  // namespace
