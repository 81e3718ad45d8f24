// The installed program on a virtual screen, used as a person uses it: with
// the mouse and the keyboard, a card put on the emulated reader with
// portelia-card, and the data files looked at afterwards.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <thread>

#include "tests/gui/child_process.h"
#include "tests/gui/x_screen.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

const fs::path installed = PORTELIA_INSTALLED;

// This source is UTF-8 through and through, as the window system is; what
// the program writes is Shift-JIS, spelt out in bytes.
const std::string main_title = "^パソリで入退室管理:PORTELIA$";
const std::string question_title = "^確認$";
const std::string dialog_title = "^Form$";
const std::string typed_name = "山田太郎";
const std::string sjis_name = "\x8E\x52\x93\x63\x91\xBE\x98\x59";  // 山田太郎
const std::string sjis_in = "in__\x93\xFC\x8E\xBA";                 // in__入室

// The main window's client area: the 400 x 300 window less its frame (4
// pixels a side), caption and menu bar (19 each). Controls sit at fixed
// client positions: the ChangeSound button at 20, 170, 120 x 40.
constexpr int client_height = 300 - 4 - 19 - 19 - 4;
constexpr int sound_button_x = 20 + 60;
constexpr int sound_button_y = 170 + 20;

std::string stamp_utc(int64_t seconds) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", 2000 + tm.tm_year % 100, tm.tm_mon + 1,
                tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return text;
}

class person_at_screen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(installed / "bin/portelia")) << "not installed in " << installed;
    screen = std::make_unique<x_screen>();
    ASSERT_TRUE(screen->started()) << "Xvfb did not start";
    folder = fs::temp_directory_path() /
             ("portelia-gui-" + std::to_string(getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder / "data");
    fs::create_directories(folder / "runtime");
    fs::permissions(folder / "runtime", fs::perms::owner_all);
    ASSERT_EQ(card({"plug"}), 0);
  }

  void TearDown() override {
    program.reset();
    screen.reset();
    fs::remove_all(folder);
  }

  spawn_options environment() const {
    spawn_options o;
    o.folder = folder / "data";
    o.environment = {{"DISPLAY", screen ? screen->display() : ""},
                     {"QT_QPA_PLATFORM", "xcb"},
                     {"XDG_RUNTIME_DIR", (folder / "runtime").string()},
                     {"PORTELIA_EMULATED_READER", (folder / "reader.state").string()},
                     {"TZ", "UTC0"}};
    return o;
  }

  // portelia-card with these arguments; its exit status.
  int card(const std::vector<std::string>& args) {
    std::vector<std::string> argv{(installed / "bin/portelia-card").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return run_program(argv, environment()).first;
  }

  // Starts the program and waits for its main window.
  unsigned long start_program() {
    program = std::make_unique<child_process>(std::vector<std::string>{(installed / "bin/portelia").string()},
                                              environment());
    return screen->wait_for_window(main_title, 10s);
  }

  std::string file(const std::string& name) const {
    std::ifstream in(folder / "data" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  bool wait_for_file(const std::string& name, const std::string& content, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (file(name) != content) {
      if (std::chrono::steady_clock::now() >= end) return false;
      std::this_thread::sleep_for(50ms);
    }
    return true;
  }

  // Answers the quit question with はい (the default button) and expects
  // the program to end with status 0.
  void answer_yes_and_expect_exit() {
    ASSERT_NE(screen->wait_for_window(question_title, 5s), 0u) << "no quit question";
    screen->key("Return");
    std::optional<int> status = program->wait_for_exit(5000ms);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_EQ(*status, 0);
  }

  std::unique_ptr<x_screen> screen;
  std::unique_ptr<child_process> program;
  fs::path folder;
};

TEST_F(person_at_screen, registers_a_new_card_changes_the_sound_and_quits_from_the_menu) {
  const int64_t started = std::time(nullptr);
  unsigned long main_window = start_program();
  ASSERT_NE(main_window, 0u) << "the main window did not appear";
  screen_rect window = screen->geometry(main_window);
  const int menu_height = window.height - client_height;
  ASSERT_GT(menu_height, 0);

  // An unknown card on the reader: the next tick asks for the name.
  ASSERT_EQ(card({"put", "0123456789ABCDEF"}), 0);
  ASSERT_NE(screen->wait_for_window(dialog_title, 8s), 0u) << "no registration dialog";
  // The main window takes no input under the dialog: a click on its menu
  // bar opens nothing and leaves the keyboard with the dialog.
  screen->click_at(window.x + 20, window.y + menu_height / 2);
  // The field has the focus with its text selected: typing replaces it.
  screen->type(typed_name);
  screen->key("Return");
  ASSERT_TRUE(screen->wait_until_gone(dialog_title, 5s));

  // The three files, byte for byte; the registration time is the time of
  // the read, and the movement has the same second.
  ASSERT_TRUE(wait_for_file("0123456789ABCDEF_inf.txt", "state 1\r\n", 5s)) << file("0123456789ABCDEF_inf.txt");
  std::string roster = file("idm_list.txt");
  std::istringstream fields(roster);
  std::string idm;
  int64_t registered = 0;
  fields >> idm >> registered;
  EXPECT_GE(registered, started);
  EXPECT_LE(registered, static_cast<int64_t>(std::time(nullptr)));
  EXPECT_EQ(roster, "0123456789ABCDEF " + std::to_string(registered) + " " + sjis_name + "\r\n");
  EXPECT_EQ(file("in_out.txt"), stamp_utc(registered) + " " + sjis_in + " " + sjis_name + "\r\n");
  // The tone after the event holds the program for half a second; the
  // window shows the event once it has repainted.
  std::this_thread::sleep_for(1500ms);
  screen->screenshot(PORTELIA_GUI_OUTPUT "/screen-after-registration.png");

  // ChangeSound steps from the tone to the wave and saves the mode.
  screen->click_at(window.x + sound_button_x, window.y + menu_height + sound_button_y);
  EXPECT_TRUE(wait_for_file("sound.ini", "1\r\n", 5s)) << "sound.ini: " << file("sound.ini");

  // ファイル(F) > 終了(X), then はい.
  screen->click_at(window.x + 20, window.y + menu_height / 2);
  screen->key("x");
  answer_yes_and_expect_exit();
}

TEST_F(person_at_screen, close_box_asks_first_and_no_keeps_the_program) {
  unsigned long main_window = start_program();
  ASSERT_NE(main_window, 0u);

  ASSERT_TRUE(screen->close_box(main_window));
  unsigned long question = screen->wait_for_window(question_title, 5s);
  ASSERT_NE(question, 0u) << "the close box did not ask";
  // いいえ: the second of two 75 x 23 buttons, 12 pixels apart, centred
  // 12 pixels above the bottom of the box.
  screen_rect box = screen->geometry(question);
  int buttons_left = box.x + (box.width - (2 * 75 + 12)) / 2;
  screen->click_at(buttons_left + 75 + 12 + 37, box.y + box.height - 12 - 12);
  ASSERT_TRUE(screen->wait_until_gone(question_title, 5s));
  EXPECT_TRUE(program->running());
  EXPECT_NE(screen->wait_for_window(main_title, 1s), 0u);

  ASSERT_TRUE(screen->close_box(main_window));
  answer_yes_and_expect_exit();
}

}  // namespace
