// The card roster: what idm_list.txt holds after a registration, and what a
// restart reads back from it, whatever the file holds.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "attendance/roster.h"
#include "attendance/state_file.h"
#include "attendance/text_scan.h"
#include "tests/attendance/fakes.h"

namespace {

struct entry_text {
  std::string idm_text;
  int64_t registered_at;
  std::string name;
  bool operator==(const entry_text&) const = default;
};

void PrintTo(const entry_text& e, std::ostream* out) {
  *out << "{" << e.idm_text << ", " << e.registered_at << ", " << e.name << "}";
}

std::vector<entry_text> roster_entries() {
  std::vector<entry_text> entries;
  for (int32_t i = 0; i < roster.count; ++i) {
    entries.push_back({roster.entries[i].idm_text, roster.entries[i].registered_at,
                       roster.entries[i].name});
  }
  return entries;
}

using roster_file = data_folder;

struct round_trip_case {
  const char* what;
  const char* name;
  int64_t time;
  const char* line;       // the bytes appended to idm_list.txt
  const char* read_back;  // the name after a restart
};

const round_trip_case round_trips[] = {
    {"ASCII name", "Taro", 1700000000, "0123456789ABCDEF 1700000000 Taro\r\n", "Taro"},
    {"Shift-JIS name", "山田太郎", 1700000000,
     "0123456789ABCDEF 1700000000 山田太郎\r\n", "山田太郎"},
    {"name with an ASCII blank", "Yamada Taro", 1700000000,
     "0123456789ABCDEF 1700000000 Yamada Taro\r\n", "Yamada"},
    {"name with a full-width blank", "山田　太郎", 1700000000,
     "0123456789ABCDEF 1700000000 山田　太郎\r\n", "山田　太郎"},
    {"name whose second byte is a backslash", "表示", 0, "0123456789ABCDEF 0 表示\r\n",
     "表示"},
    {"before 1970", "Taro", -86400, "0123456789ABCDEF -86400 Taro\r\n", "Taro"},
    {"after 2038", "Taro", 4102444800, "0123456789ABCDEF 4102444800 Taro\r\n", "Taro"},
};

TEST_F(roster_file, registration_appends_one_line_and_restart_reads_it_back) {
  for (const round_trip_case& c : round_trips) {
    SCOPED_TRACE(c.what);
    std::remove("idm_list.txt");
    roster_load();
    write_file("idm_list.txt", "FEDCBA9876543210 5 先客\r\n");
    roster_load();

    EXPECT_EQ(roster_register("0123456789ABCDEF", c.name, c.time), 1);
    EXPECT_EQ(file_bytes("idm_list.txt"), std::string("FEDCBA9876543210 5 先客\r\n") + c.line);
    EXPECT_EQ(roster.entries[1].name, std::string(c.name)) << "whole until the end of the run";
    EXPECT_EQ(roster.entries[1].state, 0);

    roster_load();
    EXPECT_EQ(roster_entries(),
              (std::vector<entry_text>{{"FEDCBA9876543210", 5, "先客"},
                                       {"0123456789ABCDEF", c.time, c.read_back}}));
  }
}

TEST_F(roster_file, registration_writes_state_zero_over_an_old_state_file) {
  write_file("0123456789ABCDEF_inf.txt", "state 1\r\n");
  EXPECT_EQ(roster_register("0123456789ABCDEF", "Taro", 10), 0);
  EXPECT_EQ(file_bytes("0123456789ABCDEF_inf.txt"), "state 0\r\n");
  EXPECT_EQ(roster.count, 1);
  EXPECT_TRUE(leftover_temporaries().empty());
}

struct load_case {
  const char* what;
  std::string file;
  std::vector<entry_text> entries;
};

const std::string long_name(255, 'n');

const load_case load_cases[] = {
    {"empty file", "", {}},
    {"blank lines", "\r\n   \t\r\n\n\x0B\x0C\r\n", {}},
    {"two fields", "0123456789ABCDEF 12\r\n", {}},
    {"second field not a number", "0123456789ABCDEF x12 Taro\r\n", {}},
    {"second field with a tail", "0123456789ABCDEF 12x Taro\r\n", {}},
    {"second field a lone sign", "0123456789ABCDEF - Taro\r\n", {}},
    {"second field beyond 64 bits", "0123456789ABCDEF 9223372036854775808 Taro\r\n", {}},
    {"name of 256 bytes", "0123456789ABCDEF 1 " + long_name + "n\r\n", {}},
    {"IDm of 256 bytes", std::string(256, 'A') + " 1 Taro\r\n", {}},
    {"name of 255 bytes", "0123456789ABCDEF 1 " + long_name + "\r\n",
     {{"0123456789ABCDEF", 1, long_name}}},
    {"fields after the third ignored", "0123456789ABCDEF 12 Taro Jiro 3\r\n",
     {{"0123456789ABCDEF", 12, "Taro"}}},
    {"leading and inner white space", " \t0123456789ABCDEF\t\t+12 \x0BTaro \r\n",
     {{"0123456789ABCDEF", 12, "Taro"}}},
    {"LF only, and no line end at the end", "AAAA -12 Taro\nBBBB 7 Jiro",
     {{"AAAA", -12, "Taro"}, {"BBBB", 7, "Jiro"}}},
    {"bytes 0x80-0xFF are never blank", "AAAA 1 \x81\x40\x85\xA0\xFF\r\n",
     {{"AAAA", 1, "\x81\x40\x85\xA0\xFF"}}},
    {"a long line stays one line, good lines around it",
     "AAAA 1 Taro\r\nBBBB 2 " + std::string(3000, 'x') + " CCCC 3 Bogus\r\nDDDD 4 Jiro\r\n",
     {{"AAAA", 1, "Taro"}, {"DDDD", 4, "Jiro"}}},
    {"a long tail after good fields",
     "AAAA 1 Taro " + std::string(5000, 'y') + " EEEE 5 Bogus\r\n",
     {{"AAAA", 1, "Taro"}}},
    {"a line of 100,000 bytes without blanks", std::string(100000, 'z') + "\r\nAAAA 1 Taro\r\n",
     {{"AAAA", 1, "Taro"}}},
};

TEST_F(roster_file, restart_reads_the_lines_the_clock_could_have_written) {
  for (const load_case& c : load_cases) {
    SCOPED_TRACE(c.what);
    write_file("idm_list.txt", c.file);
    roster_load();
    EXPECT_EQ(roster_entries(), c.entries);
  }
}

// Any bytes at all: every entry read is one the clock could have written, one
// per line at most, and nothing overflows.
TEST_F(roster_file, random_bytes_give_only_well_formed_entries) {
  std::mt19937 random(20240611);
  const char alphabet[] = {' ', '\t', '\r', '\n', '-', '+', '0', '7', '9', 'A', 'z',
                           '\x81', '\x40', '\xFF', '\0', '\x0B'};
  for (int round = 0; round < 300; ++round) {
    std::string file(random() % 3000, ' ');
    for (char& c : file) c = alphabet[random() % sizeof alphabet];
    write_file("idm_list.txt", file);
    roster_load();
    const auto lines = std::count(file.begin(), file.end(), '\n') + 1;
    ASSERT_LE(roster.count, lines);
    for (int32_t i = 0; i < roster.count; ++i) {
      for (const char* field : {roster.entries[i].idm_text, roster.entries[i].name}) {
        const size_t size = std::strlen(field);
        ASSERT_LT(size, 256u);
        for (size_t j = 0; j < size; ++j) ASSERT_FALSE(is_blank_byte(field[j]));
      }
    }
  }
}

TEST_F(roster_file, missing_file_gives_an_empty_roster) {
  write_file("idm_list.txt", "AAAA 1 Taro\r\n");
  roster_load();
  ASSERT_EQ(roster.count, 1);
  std::remove("idm_list.txt");
  roster_load();
  EXPECT_EQ(roster.count, 0);
  EXPECT_EQ(roster_find("AAAA"), 0);
}

TEST_F(roster_file, find_matches_the_first_entry_byte_for_byte) {
  write_file("idm_list.txt",
             "0123456789abcdef 1 Lower\r\n"
             "0123456789ABCDEF 2 First\r\n"
             "0123456789ABCDEF 3 Second\r\n");
  roster_load();
  EXPECT_EQ(roster_find("0123456789ABCDEF"), 1);
  EXPECT_EQ(roster_find("0123456789abcdef"), 0);
  EXPECT_EQ(roster_find("0123456789ABCDE"), 3);
  EXPECT_EQ(roster_find("FFFFFFFFFFFFFFFF"), 3);
}

TEST_F(roster_file, a_registered_card_is_found_and_later_ones_follow_it) {
  roster_load();
  EXPECT_EQ(roster_find("0123456789ABCDEF"), 0);
  for (int i = 0; i < 40; ++i) {  // enough to make the entries move
    char idm[17];
    std::snprintf(idm, sizeof idm, "%016X", i);
    ASSERT_EQ(roster_register(idm, "Taro", i), i);
  }
  EXPECT_EQ(roster_find("0000000000000027"), 39);
  EXPECT_EQ(roster.entries[39].registered_at, 39);
  roster_load();
  EXPECT_EQ(roster.count, 40);
}

// Leaves the process some 32 MB more address space than it uses now.
void limit_memory() {
  long pages = 0;
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) std::exit(2);
  std::fclose(statm);
  const rlim_t size = static_cast<rlim_t>(pages) * 4096 + (rlim_t{32} << 20);
  const rlimit limit{size, size};
  if (setrlimit(RLIMIT_AS, &limit) != 0) std::exit(2);
}

TEST_F(roster_file, no_memory_for_one_more_entry_ends_the_process_with_status_1) {
  std::string lines;
  for (int i = 0; i < 200000; ++i) lines += "0123456789ABCDEF 1 Taro\r\n";
  write_file("idm_list.txt", lines);
  // 200,000 entries need about 100 MB.
  EXPECT_EXIT((limit_memory(), roster_load(), std::exit(0)), ::testing::ExitedWithCode(1), "");
}

}  // namespace
