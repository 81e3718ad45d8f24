// The list box as the presence list uses it: sorted insert, duplicates,
// delete of the first match, and LB_GETTEXT into the caller's buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/win32.h"
#include "recording.h"

namespace {

using strings = std::vector<std::string>;

class list_box_test : public ::testing::Test {
 protected:
  void SetUp() override {
    recording::start();
    main = recording::create_main(recording::program_module());
    list = CreateWindowExA(0, "LISTBOX", nullptr,
                           WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT, 10,
                           60, 200, 100, main, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ASSERT_NE(list, nullptr);
  }
  LRESULT add(const std::string& s) {
    return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  }
  // Deletes the first item equal to `s`, as the program does.
  void remove_first(const std::string& s) {
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    char buffer[256];
    for (LRESULT i = 0; i < n; ++i) {
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
      if (s == buffer) {
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
        return;
      }
    }
  }
  HWND main = nullptr;
  HWND list = nullptr;
};

struct sort_case {
  const char* name;
  strings added;
  strings expected;
};

void PrintTo(const sort_case& c, std::ostream* out) { *out << c.name; }

class sorted_insert : public list_box_test, public ::testing::WithParamInterface<sort_case> {};

TEST_P(sorted_insert, keeps_ascending_shift_jis_order) {
  for (const auto& s : GetParam().added) add(s);
  EXPECT_EQ(headless::list_items(list), GetParam().expected);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(GetParam().expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    cases, sorted_insert,
    ::testing::Values(
        sort_case{"ascii", {"suzuki", "abe", "tanaka"}, {"abe", "suzuki", "tanaka"}},
        // Shift-JIS bytes compare as unsigned: kana (0x83..) before kanji (0x8E..).
        sort_case{"kana_before_kanji", {"山田", "アベ", "佐藤"}, {"アベ", "佐藤", "山田"}},
        sort_case{"ascii_before_double_byte", {"山田", "Zed"}, {"Zed", "山田"}},
        sort_case{"prefix_first", {"abc", "ab", "a"}, {"a", "ab", "abc"}},
        sort_case{"duplicates_allowed", {"佐藤", "山田", "佐藤"}, {"佐藤", "佐藤", "山田"}},
        sort_case{"empty_name", {"b", ""}, {"", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(list_box_test, add_returns_the_index_where_the_item_went) {
  EXPECT_EQ(add("m"), 0);
  EXPECT_EQ(add("z"), 1);
  EXPECT_EQ(add("a"), 0);
  EXPECT_EQ(add("m"), 2);  // after the equal one
}

struct delete_case {
  const char* name;
  strings added;
  std::string removed;
  strings expected;
};

void PrintTo(const delete_case& c, std::ostream* out) { *out << c.name; }

class delete_first_match : public list_box_test, public ::testing::WithParamInterface<delete_case> {};

TEST_P(delete_first_match, leaves_the_rest) {
  for (const auto& s : GetParam().added) add(s);
  remove_first(GetParam().removed);
  EXPECT_EQ(headless::list_items(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    cases, delete_first_match,
    ::testing::Values(delete_case{"one_of_two_equal", {"佐藤", "山田", "佐藤"}, "佐藤", {"佐藤", "山田"}},
                      delete_case{"only_item", {"山田"}, "山田", {}},
                      delete_case{"not_there", {"佐藤", "山田"}, "鈴木", {"佐藤", "山田"}},
                      delete_case{"prefix_is_not_a_match", {"佐藤一"}, "佐藤", {"佐藤一"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(list_box_test, get_text_copies_with_a_terminating_zero_and_returns_the_length) {
  add("佐藤");
  add("abe");
  char buffer[256];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 4);
  EXPECT_STREQ(buffer, "佐藤");
  EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 1, 0), 4);
  std::string longest(255, 'n');
  add(longest);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 255);
  EXPECT_EQ(std::string(buffer), longest);
}

TEST_F(list_box_test, bad_indexes_give_lb_err_and_change_nothing) {
  add("a");
  char buffer[8] = "keep";
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buffer)), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, 0), LB_ERR);
  EXPECT_STREQ(buffer, "keep");
  EXPECT_EQ(headless::list_items(list), strings{"a"});
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 0);  // the count left
}

TEST_F(list_box_test, clicks_send_notifications_to_the_parent) {
  add("a");
  add("b");
  recording::log().clear();
  headless::click_list_item(list, 1);
  headless::double_click(list);  // below the items: no new selection
  std::vector<recording::entry> expected = {
      {"main", WM_COMMAND, MAKEWPARAM(1, LBN_SELCHANGE)},
      {"main", WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK)},
  };
  EXPECT_EQ(recording::log(), expected);
}

}  // namespace
