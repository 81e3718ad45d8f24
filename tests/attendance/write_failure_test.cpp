// Writes that fail: a file name taken by a folder, or a file that is a link to
// /dev/full (a full disk). These hold when the tests run as root, who ignores a
// read-only folder. Nothing may be half-recorded.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "attendance/card_event.h"
#include "attendance/presence.h"
#include "attendance/roster.h"
#include "tests/attendance/fakes.h"

namespace {

namespace fs = std::filesystem;

const char card[] = "0123456789ABCDEF";
const char state_file[] = "0123456789ABCDEF_inf.txt";
const std::string roster_line = "0123456789ABCDEF 100 Taro\r\n";
const std::string earlier_log = "2023/11/15 07:00:00 in__入室 Jiro\r\n";

enum class fault { folder, full_disk };

void break_file(const std::string& name, fault how) {
  std::error_code ignored;
  fs::remove(name, ignored);
  if (how == fault::folder) {
    fs::create_directory(name);
  } else {
    fs::create_symlink("/dev/full", name);
  }
}

struct movement_fault {
  const char* what;
  const char* file;
  fault how;
};

using failed_writes = data_folder;

TEST_F(failed_writes, a_movement_that_cannot_be_written_leaves_everything_as_it_was) {
  const movement_fault cases[] = {
      {"log name taken by a folder", "in_out.txt", fault::folder},
      {"log on a full disk", "in_out.txt", fault::full_disk},
      {"state file name taken by a folder", state_file, fault::folder},
      {"temporary state file name taken by a folder", "0123456789ABCDEF_inf.txt.tmp",
       fault::folder},
  };
  for (const movement_fault& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"in_out.txt", state_file, "0123456789ABCDEF_inf.txt.tmp"}) {
      fs::remove_all(name);
    }
    write_file("idm_list.txt", roster_line);
    roster_load();
    roster.entries[0].state = 5;
    write_file(state_file, "state 1\r\n");
    write_file("in_out.txt", earlier_log);
    break_file(c.file, c.how);
    std::strcpy(event_text, "earlier line\n");

    EXPECT_EQ(record_movement(0, 1700000000), -1);

    EXPECT_EQ(roster.entries[0].state, 5);
    EXPECT_STREQ(event_text, "earlier line\n");
    if (std::strcmp(c.file, "in_out.txt") != 0) {
      EXPECT_EQ(file_bytes("in_out.txt"), earlier_log) << "the log line is taken back";
    }
    if (std::strcmp(c.file, state_file) != 0) {
      EXPECT_EQ(file_bytes(state_file), "state 1\r\n");
    }
    fs::remove_all(c.file);
    EXPECT_TRUE(leftover_temporaries().empty());
  }
}

struct registration_fault {
  const char* what;
  const char* file;
  fault how;
};

TEST_F(failed_writes, a_card_whose_roster_line_cannot_be_written_is_not_registered) {
  const registration_fault cases[] = {
      {"roster name taken by a folder", "idm_list.txt", fault::folder},
      {"roster on a full disk", "idm_list.txt", fault::full_disk},
      {"state file name taken by a folder", state_file, fault::folder},
      {"temporary state file name taken by a folder", "0123456789ABCDEF_inf.txt.tmp",
       fault::folder},
  };
  for (const registration_fault& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"idm_list.txt", state_file, "0123456789ABCDEF_inf.txt.tmp"}) {
      fs::remove_all(name);
    }
    write_file("idm_list.txt", "FEDCBA9876543210 5 Jiro\r\n");
    roster_load();
    write_file(state_file, "state 1\r\n");
    break_file(c.file, c.how);

    EXPECT_EQ(roster_register(card, "Taro", 1700000000), -1);

    EXPECT_EQ(roster.count, 1);
    EXPECT_EQ(roster_find(card), 1);
    if (std::strcmp(c.file, "idm_list.txt") != 0) {
      EXPECT_EQ(file_bytes("idm_list.txt"), "FEDCBA9876543210 5 Jiro\r\n");
    }
    if (std::strcmp(c.file, state_file) != 0) {
      EXPECT_EQ(file_bytes(state_file), "state 1\r\n");
    }
    fs::remove_all(c.file);
    EXPECT_TRUE(leftover_temporaries().empty());
  }
}

}  // namespace
