#include "tests/attendance/fakes.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>

#include "attendance/card_event.h"
#include "attendance/card_event_ports.h"
#include "attendance/clock.h"
#include "attendance/roster.h"

namespace fake {

outside world;

void reset() {
  world = outside{};
  std::memset(last_idm, 0, sizeof last_idm);
  std::memset(event_text, 0, sizeof event_text);
  current_index = 0;
  repaint_pending = 0;
  roster.count = 0;
}

}  // namespace fake

using fake::world;

int64_t current_time() { return world.now; }

int read_card_idm(char* text) {
  std::string card;
  if (!world.cards.empty()) {
    card = world.cards.front();
    world.cards.pop_front();
  }
  if (card.empty()) {
    std::strcpy(text, "ERROR000000");
    return 0;
  }
  std::strcpy(text, card.c_str());
  return 16;
}

void ask_holder_name(void* owner, char* name) {
  EXPECT_EQ(owner, world.main_window);
  world.calls.push_back("dialog");
  if (world.dialogs.empty()) {
    ADD_FAILURE() << "a dialog opened that the test did not expect";
    name[0] = '\0';
    return;
  }
  fake::dialog_answer answer = world.dialogs.front();
  world.dialogs.pop_front();
  if (answer.meanwhile) answer.meanwhile();
  std::strncpy(name, answer.name.c_str(), 255);
  name[255] = '\0';
}

void presence_list_add(const char* name) {
  world.calls.push_back(std::string("add ") + name);
  world.presence.push_back(name);
}

void presence_list_remove(const char* name) {
  world.calls.push_back(std::string("remove ") + name);
  for (auto i = world.presence.begin(); i != world.presence.end(); ++i) {
    if (*i == name) {
      world.presence.erase(i);
      return;
    }
  }
}

int presence_list_count() { return static_cast<int>(world.presence.size()); }

void counter_label_update() {
  world.calls.push_back("counter " + std::to_string(presence_list_count()));
}

void main_window_invalidate() { world.calls.push_back("invalidate"); }

void play_card_feedback(int32_t state, int64_t tick_time) {
  world.calls.push_back("feedback " + std::to_string(state) + " at " +
                        std::to_string(tick_time));
}

void report_record_failure(void* main_window, const char* message) {
  EXPECT_EQ(main_window, world.main_window);
  world.calls.push_back("failure");
  world.failures.push_back(message);
  if (world.while_failure_shown) {
    auto meanwhile = world.while_failure_shown;
    world.while_failure_shown = nullptr;
    meanwhile();
  }
}

void data_folder::SetUp() {
  previous_ = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "attendance-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  std::filesystem::current_path(folder_);
  setenv("TZ", "JST-9", 1);
  tzset();
  fake::reset();
}

void data_folder::TearDown() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string file_bytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> leftover_temporaries() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) names.push_back(name);
  }
  return names;
}
