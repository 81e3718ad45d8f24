#include "tests/app/program_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/main_window.h"
#include "attendance/card_event.h"
#include "attendance/roster.h"
#include "audio/sound_mode.h"
#include "platform/headless.h"
#include "platform/resource_data.h"
#include "platform/sound_output.h"
#include "readerlib/emulated_card.h"
#include "readerlib/state_file.h"
#include "resources/embedded_resources.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

const char* const main_title = "パソリで入退室管理:PORTELIA";

namespace {

void reset_program_state() {
  roster.count = 0;
  last_idm[0] = '\0';
  event_text[0] = '\0';
  current_index = 0;
  repaint_pending = 0;
  sound_mode = 0;
}

}  // namespace

void program_test::SetUp() {
  previous_folder = std::filesystem::current_path();
  const std::string name = std::string("portelia-app-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  data_folder = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(data_folder);
  std::filesystem::create_directories(data_folder / "data");
  reader_state = data_folder / "reader.state";
  data_folder = data_folder / "data";
  std::filesystem::current_path(data_folder);

  setenv("TZ", "UTC0", 1);
  tzset();
  setenv("CommonProgramFiles", PORTELIA_COMMON_FOLDER, 1);
  setenv("PORTELIA_EMULATED_READER", reader_state.c_str(), 1);
  std::string error;
  ASSERT_TRUE(save_emulated_reader(reader_state.string(), emulated_reader{}, &error)) << error;

  headless::reset();
  sound_output_enable(false);
  sound_record_clear();
  reset_program_state();
  headless::on_modal_loop([this](HWND window) { on_modal(window); });
}

void program_test::TearDown() {
  std::filesystem::current_path(previous_folder);
  std::filesystem::remove_all(data_folder.parent_path());
}

int program_test::run_program() {
  reset_program_state();
  HINSTANCE instance = module_from_resources(portelia_resources, portelia_resources_size);
  char command_line[] = "";
  return WinMain(instance, nullptr, command_line, SW_SHOWDEFAULT);
}

void program_test::at(double seconds, std::function<void()> action) {
  headless::after_seconds(seconds - static_cast<double>(headless::now_ms()) / 1000.0, std::move(action));
}

void program_test::answer_next_dialog(std::string name) {
  answer_next_dialog_with([name](HWND dialog) {
    headless::replace_text(GetDlgItem(dialog, 102), name);
    headless::click(GetDlgItem(dialog, 100));
  });
}

void program_test::answer_next_dialog_with(std::function<void(HWND)> action) {
  dialog_answers.push_back(std::move(action));
}

void program_test::quit_at(double seconds) {
  at(seconds, [this] {
    quitting = true;
    headless::close_box(main_window_handle());
  });
}

void program_test::on_modal(HWND window) {
  const std::string caption = headless::text_of(window);
  if (caption == "Form") {
    dialog_opened_ms.push_back(headless::now_ms());
    if (dialog_answers.empty()) return;
    auto answer = std::move(dialog_answers.front());
    dialog_answers.pop_front();
    answer(window);
  } else if (caption == "確認" && quitting) {
    quitting = false;
    headless::press_button("はい");
  }
}

void program_test::put_card(const std::string& idm) {
  auto identifier = parse_card_identifier(idm);
  ASSERT_TRUE(identifier.has_value()) << idm;
  emulated_reader state;
  state.card = default_card(*identifier, default_pmm);
  std::string error;
  ASSERT_TRUE(save_emulated_reader(reader_state.string(), state, &error)) << error;
}

void program_test::remove_card() {
  std::string error;
  ASSERT_TRUE(save_emulated_reader(reader_state.string(), emulated_reader{}, &error)) << error;
}

HWND program_test::main_window_handle() const { return headless::find_window(main_title); }

std::string program_test::label_text() const { return headless::text_of(counter_label); }

std::vector<std::string> program_test::listed_names() const {
  return headless::list_items(presence_list);
}

std::string program_test::file(const std::string& name) const {
  std::ifstream in(data_folder / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool program_test::file_exists(const std::string& name) const {
  return std::filesystem::exists(data_folder / name);
}

void program_test::write_file(const std::string& name, const std::string& bytes) const {
  std::ofstream out(data_folder / name, std::ios::binary);
  out << bytes;
}

std::vector<sound_call> program_test::sounds_since(size_t first) const {
  auto all = sound_record();
  if (first >= all.size()) return {};
  return std::vector<sound_call>(all.begin() + static_cast<long>(first), all.end());
}

std::vector<std::string> program_test::visible_lines() const {
  std::vector<std::string> lines;
  for (const auto& op : headless::visible_text(main_window)) lines.push_back(op.text);
  return lines;
}

COLORREF program_test::visible_colour() const {
  auto ops = headless::visible_text(main_window);
  return ops.empty() ? 0 : ops.back().colour;
}

std::string stamp_utc(int64_t unix_seconds) {
  const time_t t = static_cast<time_t>(unix_seconds);
  struct tm parts;
  gmtime_r(&t, &parts);
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", 2000 + parts.tm_year % 100,
                parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return text;
}
