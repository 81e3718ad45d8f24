// A recording stand-in for everything the card tick reaches outside the
// attendance folder (reader, windows, sound, clock), and a fresh data folder
// per test.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fake {

// What the registration dialog does when it opens: `meanwhile` runs while it
// is open (ticks of the modal loop), then it closes with `name` typed.
struct dialog_answer {
  std::string name;
  std::function<void()> meanwhile;
};

struct outside {
  std::deque<std::string> cards;  // what the next reads find; "" = no card
  std::deque<dialog_answer> dialogs;
  std::function<void()> while_failure_shown;
  int64_t now = 0;
  void* main_window = nullptr;
  std::vector<std::string> presence;  // the list of people present
  std::vector<std::string> calls;     // what the tick did, in order
  std::vector<std::string> failures;  // messages shown
};

extern outside world;

// Empties the world and the process-wide attendance state.
void reset();

}  // namespace fake

// A test that runs in its own empty data folder, in Japan's time zone.
class data_folder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

// Whole file content as bytes; "<missing>" when the file does not exist.
std::string file_bytes(const std::string& name);
void write_file(const std::string& name, const std::string& bytes);
// Names of the files in the current folder that end in ".tmp".
std::vector<std::string> leftover_temporaries();
