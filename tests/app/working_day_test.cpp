// A simulated working day: several people come and go, new cards are
// registered on the way, and at the end the files and the window agree with
// a plain model of who is in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <sstream>

#include <time.h>

#include "app/main_window.h"
#include "platform/headless.h"
#include "tests/app/program_fixture.h"

namespace {

struct person {
  std::string idm;
  std::string name;  // Shift-JIS
};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
    lines.push_back(text.substr(from, end - from));
  EXPECT_EQ(from, text.size()) << "the file ends in the middle of a line";
  return lines;
}

TEST_F(program_test, a_working_day_of_several_hundred_card_events_matches_the_model) {
  const std::vector<person> people = {
      {"0000000000000001", "山田"}, {"0000000000000002", "佐藤"},  {"0000000000000003", "鈴木"},
      {"0000000000000004", "高橋"}, {"0000000000000005", "田中"},  {"0000000000000006", "伊藤"},
      {"0000000000000007", "山田"}, {"0000000000000008", "渡辺　一郎"}};
  constexpr int events = 400;

  // Who presents a card when: never the same card twice in a row.
  std::mt19937 random(20261211);
  std::vector<int> order;
  for (int i = 0; i < events; ++i) {
    int who;
    do who = static_cast<int>(random() % people.size());
    while (!order.empty() && who == order.back());
    order.push_back(who);
  }

  // The model: each presentation flips its holder; a new card is first
  // registered under its holder's name.
  std::map<int, bool> in;
  std::vector<std::string> expected_log;  // "<label> <name>" per movement
  std::vector<int> registration_order;
  for (int who : order) {
    if (!in.count(who)) registration_order.push_back(who);
    in[who] = !in[who];
    expected_log.push_back(std::string(in[who] ? "in__入室" : "out_退室") + " " + people[who].name);
  }
  for (int who : registration_order) answer_next_dialog(people[static_cast<size_t>(who)].name);

  for (int i = 0; i < events; ++i)
    at(2.0 + 3.0 * i, [this, &people, &order, i] { put_card(people[static_cast<size_t>(order[i])].idm); });

  std::vector<std::string> listed_at_end;
  std::string label_at_end;
  at(2.0 + 3.0 * events + 2.0, [&] {
    listed_at_end = listed_names();
    label_at_end = label_text();
  });
  quit_at(2.0 + 3.0 * events + 3.0);

  // <chrono> can not be compiled for Shift-JIS program texts; the C clock serves.
  timespec real_start, real_end;
  clock_gettime(CLOCK_MONOTONIC, &real_start);
  EXPECT_EQ(run_program(), 0);
  clock_gettime(CLOCK_MONOTONIC, &real_end);
  const double real_seconds = static_cast<double>(real_end.tv_sec - real_start.tv_sec) +
                              static_cast<double>(real_end.tv_nsec - real_start.tv_nsec) / 1e9;
  std::printf("%d card events in %.2f s of real time\n", events, real_seconds);

  // The movement log: one line per presentation, in order, time stamps
  // never going back.
  const auto log = lines_of(file("in_out.txt"));
  ASSERT_EQ(log.size(), expected_log.size());
  std::string previous_stamp;
  for (size_t i = 0; i < log.size(); ++i) {
    ASSERT_GT(log[i].size(), 20u);
    const std::string stamp = log[i].substr(0, 19);
    EXPECT_GE(stamp, previous_stamp) << "line " << i;
    previous_stamp = stamp;
    EXPECT_EQ(log[i].substr(20), expected_log[i]) << "line " << i;
  }

  // The roster: one line per card, in the order of first presentation.
  const auto roster_lines = lines_of(file("idm_list.txt"));
  ASSERT_EQ(roster_lines.size(), registration_order.size());
  for (size_t i = 0; i < roster_lines.size(); ++i) {
    const person& p = people[static_cast<size_t>(registration_order[i])];
    const std::string& line = roster_lines[i];
    EXPECT_EQ(line.substr(0, 17), p.idm + " ");
    ASSERT_GT(line.size(), p.name.size() + 1);
    EXPECT_EQ(line.substr(line.size() - p.name.size() - 1), " " + p.name);
  }

  // The state files and the list of people present.
  std::vector<std::string> expected_listed;
  for (const auto& [who, is_in] : in) {
    EXPECT_EQ(file(people[static_cast<size_t>(who)].idm + "_inf.txt"), is_in ? "state 1\r\n" : "state 0\r\n");
    if (is_in) expected_listed.push_back(people[static_cast<size_t>(who)].name);
  }
  std::sort(expected_listed.begin(), expected_listed.end());
  EXPECT_EQ(listed_at_end, expected_listed);
  EXPECT_EQ(label_at_end, "出勤者数" + std::to_string(expected_listed.size()) + "人");
}

}  // namespace
