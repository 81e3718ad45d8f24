// The feedback mode as a person meets it: what sound.ini holds at start-up,
// what the start-up, the sound button and each card event sound like, and
// what the button leaves in sound.ini.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/app_instance.h"
#include "attendance/clock.h"
#include "audio/sound_mode.h"
#include "platform/headless.h"
#include "platform/resource_data.h"
#include "platform/sound_output.h"
#include "platform/win32.h"
#include "resources/embedded_resources.h"
#include "sound_heard.h"

HINSTANCE app_instance = nullptr;

namespace {
int64_t clock_now = 0;
}
int64_t current_time() { return clock_now; }

namespace {

namespace fs = std::filesystem;
using heard_list = std::vector<std::string>;

const std::string tone = "tone 262 Hz 500 ms";

// 2024-03-15 at hour:minute in Japan (UTC+9), the time zone of these tests.
int64_t japan(int hour, int minute) { return 1710428400 + hour * 3600 + minute * 60; }

std::optional<std::string> file_bytes(const fs::path& name) {
  if (!fs::is_regular_file(name)) return std::nullopt;
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A file's bytes in a test's name: "no file", or the bytes with everything but
// letters, digits, signs and spaces by name or as hexadecimal.
std::string shown(const std::optional<std::string>& bytes) {
  if (!bytes) return "no file";
  if (bytes->empty()) return "empty file";
  std::string text = "file ";
  for (unsigned char c : *bytes) {
    if (std::isalnum(c) || c == '+' || c == '-' || c == ' ') {
      text += static_cast<char>(c);
    } else if (c == '\r') {
      text += " CR";
    } else if (c == '\n') {
      text += " LF";
    } else {
      static const char digits[] = "0123456789ABCDEF";
      text += {'x', digits[c >> 4], digits[c & 15]};
    }
  }
  return text;
}

void put_file(const fs::path& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

// Each case runs in a fresh empty folder, at 09:00 in Japan, with mode 0 as
// at process start, the program's own resources, the virtual clock and real
// output off.
class sound_folder : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "JST-9", 1);
    tzset();
    home_ = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "portelia-audio-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    fs::current_path(folder_);
    sound_mode = 0;
    clock_now = japan(9, 0);
    headless::reset();
    app_instance = module_from_resources(portelia_resources, portelia_resources_size);
    ASSERT_NE(app_instance, nullptr);
    sound_output_enable(false);
    sound_record_clear();
  }
  void TearDown() override {
    fs::current_path(home_);
    fs::remove_all(folder_);
  }

 private:
  fs::path home_;
  fs::path folder_;
};

// What sound.ini holds at start-up -> the mode and the start-up sound.
struct start_case {
  std::optional<std::string> contents;  // nullopt: there is no sound.ini
  int32_t mode;
  heard_list heard;
};

const start_case start_cases[] = {
    {std::nullopt, 0, {tone}},
    {"", 0, {tone}},
    {"0\r\n", 0, {tone}},
    {"1\r\n", 1, {"wave Beep"}},
    {"2\r\n", 2, {}},
    {"5\r\n", 2, {}},
    {"3\r\n", 0, {tone}},
    {"-1\r\n", -1, {}},
    {"-3\r\n", -3, {}},
    {"abc\r\n", 0, {tone}},
    {" \t\r\n\v\f+1", 1, {"wave Beep"}},  // white space and a sign before the digits
    {"2abc", 2, {}},
    {"- 1", 0, {tone}},
    {"\x82\x50\r\n", 0, {tone}},  // a full-width Shift-JIS digit is no number
    {"2147483647\r\n", 1, {"wave Beep"}},
    {"-2147483648\r\n", INT32_MIN, {}},
    {"2147483648\r\n", 0, {tone}},  // past 32 bits: no number
    {"99999999999999999999\r\n", 0, {tone}},
};

void PrintTo(const start_case& c, std::ostream* out) { *out << shown(c.contents); }

class start_up : public sound_folder, public ::testing::WithParamInterface<start_case> {};

TEST_P(start_up, mode_and_sound_follow_the_file_which_stays_as_it_was) {
  const start_case& c = GetParam();
  if (c.contents) put_file("sound.ini", *c.contents);

  sound_mode_load();
  play_startup_sound();

  EXPECT_EQ(sound_mode, c.mode);
  EXPECT_EQ(sounds_heard(), c.heard);
  EXPECT_EQ(file_bytes("sound.ini"), c.contents);
}

INSTANTIATE_TEST_SUITE_P(sound_ini, start_up, ::testing::ValuesIn(start_cases));

// Presses of the sound button after start-up -> sound.ini and the sample.
struct press {
  std::string written;
  heard_list heard;
};
struct press_case {
  std::optional<std::string> contents;
  std::vector<press> presses;
};

const press_case press_cases[] = {
    {std::nullopt,
     {{"1\r\n", {"wave Beep"}}, {"2\r\n", {"wave oha"}}, {"0\r\n", {tone}}, {"1\r\n", {"wave Beep"}}}},
    {"2\r\n", {{"0\r\n", {tone}}}},
    {"5\r\n", {{"0\r\n", {tone}}}},
    {"-1\r\n", {{"0\r\n", {tone}}}},
    {"-3\r\n", {{"-2\r\n", {"wave oha"}}, {"-1\r\n", {"wave oha"}}, {"0\r\n", {tone}}}},
    {"-2147483648\r\n", {{"-2147483647\r\n", {"wave oha"}}}},
};

void PrintTo(const press_case& c, std::ostream* out) {
  *out << shown(c.contents) << ", " << c.presses.size() << " presses";
}

class button : public sound_folder, public ::testing::WithParamInterface<press_case> {};

TEST_P(button, each_press_saves_the_next_mode_and_plays_its_sample) {
  const press_case& c = GetParam();
  if (c.contents) put_file("sound.ini", *c.contents);
  sound_mode_load();

  for (const press& p : c.presses) {
    sound_record_clear();
    sound_mode_cycle();
    EXPECT_EQ(file_bytes("sound.ini"), p.written);
    EXPECT_EQ(sounds_heard(), p.heard) << "after writing " << p.written;
  }
  EXPECT_FALSE(fs::exists("sound.ini.tmp"));
}

INSTANTIATE_TEST_SUITE_P(presses, button, ::testing::ValuesIn(press_cases));

TEST_F(sound_folder, the_tone_holds_the_thread_for_half_a_second) {
  sound_mode = 2;
  const DWORD before = GetTickCount();
  sound_mode_cycle();
  EXPECT_EQ(GetTickCount() - before, 500u);
  EXPECT_EQ(sounds_heard(), heard_list{tone});
}

TEST_F(sound_folder, waves_do_not_hold_the_thread) {
  const DWORD before = GetTickCount();
  sound_mode_cycle();  // to 1, BEEP
  sound_mode_cycle();  // to 2, a greeting
  EXPECT_EQ(GetTickCount(), before);
}

TEST_F(sound_folder, the_sample_greets_by_the_time_of_the_press) {
  sound_mode = 1;
  clock_now = japan(10, 59);
  sound_mode_cycle();
  sound_mode = 1;
  clock_now = japan(18, 0);
  sound_mode_cycle();
  EXPECT_EQ(sounds_heard(), (heard_list{"wave oha", "wave konban"}));
}

// Something in the way of sound.ini: the mode changes for this run, the
// sample plays, and nothing half-written is left behind.
struct obstacle_case {
  const char* folder;  // a folder standing where a file has to go
  std::optional<std::string> sound_ini_after;
};

const obstacle_case obstacle_cases[] = {
    {"sound.ini.tmp", "1\r\n"},
    {"sound.ini", std::nullopt},
};

void PrintTo(const obstacle_case& c, std::ostream* out) { *out << "folder " << c.folder; }

class unwritable : public sound_folder, public ::testing::WithParamInterface<obstacle_case> {};

TEST_P(unwritable, mode_still_changes_for_this_run) {
  const obstacle_case& c = GetParam();
  put_file("sound.ini", "1\r\n");
  sound_mode_load();
  if (std::string(c.folder) == "sound.ini") fs::remove("sound.ini");
  fs::create_directory(c.folder);

  sound_mode_cycle();

  EXPECT_EQ(sound_mode, 2);
  EXPECT_EQ(sounds_heard(), heard_list{"wave oha"});
  EXPECT_EQ(file_bytes("sound.ini"), c.sound_ini_after);
  EXPECT_TRUE(fs::is_directory(c.folder));
  EXPECT_EQ(fs::exists("sound.ini.tmp"), std::string(c.folder) == "sound.ini.tmp");
}

INSTANTIATE_TEST_SUITE_P(sound_ini, unwritable, ::testing::ValuesIn(obstacle_cases));

// A card event -> what the person at the reader hears. The sound plays at
// 11:05, whatever the time the card was read.
struct card_case {
  int32_t mode;
  int32_t state;  // new presence state, or -1 for a cancelled registration
  int64_t read_at;
  heard_list heard;
};

const card_case card_cases[] = {
    {0, 1, japan(9, 0), {tone}},
    {0, 0, japan(9, 0), {tone}},
    {0, -1, japan(9, 0), {tone}},
    {1, 1, japan(9, 0), {"wave Beep"}},
    {1, 0, japan(9, 0), {"wave Beep"}},
    {1, -1, japan(9, 0), {"wave Beep"}},
    {2, 1, japan(10, 59), {"wave oha"}},
    {2, 1, japan(11, 0), {"wave konni"}},
    {2, 1, japan(17, 59), {"wave konni"}},
    {2, 1, japan(18, 0), {"wave konban"}},
    {2, 1, japan(0, 30), {"wave oha"}},
    {2, 1, japan(10, 58), {"wave oha"}},  // read at 10:58, dialog submitted at 11:05
    {2, 0, japan(9, 0), {"wave otsuka"}},
    {2, 0, japan(14, 0), {"wave otsuka"}},
    {2, 0, japan(21, 0), {"wave otsuka"}},
    {2, -1, japan(14, 0), {"wave Beep"}},
    {-1, 1, japan(19, 0), {"wave konban"}},
    {-1, 0, japan(19, 0), {"wave otsuka"}},
    {-2, -1, japan(19, 0), {"wave Beep"}},
};

void PrintTo(const card_case& c, std::ostream* out) {
  *out << "mode " << c.mode << " state " << c.state << " read at "
       << (c.read_at - japan(0, 0)) / 3600 << "h" << (c.read_at - japan(0, 0)) % 3600 / 60;
}

class card_event : public sound_folder, public ::testing::WithParamInterface<card_case> {};

TEST_P(card_event, sound_follows_mode_direction_and_time_of_reading) {
  const card_case& c = GetParam();
  sound_mode = c.mode;
  clock_now = japan(11, 5);

  play_card_feedback(c.state, c.read_at);

  EXPECT_EQ(sounds_heard(), c.heard);
  EXPECT_EQ(sound_mode, c.mode);
  EXPECT_FALSE(fs::exists("sound.ini"));
}

INSTANTIATE_TEST_SUITE_P(feedback, card_event, ::testing::ValuesIn(card_cases));

}  // namespace
