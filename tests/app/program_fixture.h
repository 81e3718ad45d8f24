// Runs the whole program headless, in a fresh data folder, on the emulated
// card reader and the real stand-in reader library, with a virtual clock.
// A test is a short script of what a person does and when; the program's own
// WinMain runs it from start to exit.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/sound_record.h"
#include "platform/win32.h"

// Shift-JIS texts the program shows.
extern const char* const main_title;  // "パソリで入退室管理:PORTELIA"

class program_test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs WinMain until the program ends and returns its exit status.
  int run_program();

  // The person's actions, at a virtual time in seconds from the start.
  void at(double seconds, std::function<void()> action);
  // Answers the next registration dialog: types `name` over the field and
  // presses the send button. A dialog with no answer queued stays open.
  void answer_next_dialog(std::string name);
  // Answers the next registration dialog with `action` on the dialog.
  void answer_next_dialog_with(std::function<void(HWND)> action);
  // Closes the main window at `seconds` and answers yes to the quit question.
  void quit_at(double seconds);

  // The emulated reader.
  void put_card(const std::string& idm);
  void remove_card();

  // What a person finds.
  HWND main_window_handle() const;
  std::string label_text() const;
  std::vector<std::string> listed_names() const;
  std::string file(const std::string& name) const;  // empty when missing
  bool file_exists(const std::string& name) const;
  void write_file(const std::string& name, const std::string& bytes) const;
  std::vector<sound_call> sounds_since(size_t first) const;
  // The lines of text that show on the main window's surface now.
  std::vector<std::string> visible_lines() const;
  COLORREF visible_colour() const;  // of the last visible line

  std::filesystem::path data_folder;
  std::filesystem::path reader_state;
  std::vector<int64_t> dialog_opened_ms;  // virtual time of each dialog opening

 private:
  std::filesystem::path previous_folder;
  std::deque<std::function<void(HWND)>> dialog_answers;
  bool quitting = false;
  void on_modal(HWND window);
};

// Text of seconds since 1970 as the program stamps it, in UTC (the tests run
// with TZ=UTC0).
std::string stamp_utc(int64_t unix_seconds);
