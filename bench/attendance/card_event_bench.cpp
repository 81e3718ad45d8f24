// How long the clock's file work takes.
//
// card_event/N: one card event for a known card with a roster of 10,000
// (roster search, state read, log append, atomic state write, event line);
// N is the card's place in the roster. movement_floor: the same three file
// operations done with plain POSIX calls in the same run (state file rewritten
// in place). Goal: card_event at most 2x movement_floor.
//
// startup/N: roster_load plus presence_list_fill for N entries, each with its
// state file (every tenth holder in). Goal: linear growth, and 100,000 entries
// in under a second.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "attendance/card_event.h"
#include "attendance/card_event_ports.h"
#include "attendance/clock.h"
#include "attendance/presence.h"
#include "attendance/roster.h"

// The tick's outside world does nothing here.
int64_t current_time() { return 1700000000; }
int read_card_idm(char* text) {
  std::strcpy(text, "ERROR000000");
  return 0;
}
void ask_holder_name(void*, char* name) { name[0] = '\0'; }
void presence_list_add(const char*) {}
void presence_list_remove(const char*) {}
int presence_list_count() { return 0; }
void counter_label_update() {}
void main_window_invalidate() {}
void play_card_feedback(int32_t, int64_t) {}
void report_record_failure(void*, const char* message) { std::fprintf(stderr, "%s\n", message); }

namespace {

namespace fs = std::filesystem;

std::string idm_of(int i) {
  char idm[17];
  std::snprintf(idm, sizeof idm, "01010A10%08X", static_cast<unsigned>(i) * 2654435761u);
  return idm;
}

// A data folder with `n` cards, each with its state file; made once per size
// and removed at exit.
class data_folders {
 public:
  ~data_folders() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    for (const auto& [n, folder] : folders_) fs::remove_all(folder, ignored);
  }

  void enter(int n) {
    auto found = folders_.find(n);
    if (found == folders_.end()) found = folders_.emplace(n, make(n)).first;
    fs::current_path(found->second);
  }

 private:
  static fs::path make(int n) {
    std::string pattern = (fs::temp_directory_path() / "attendance-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    const fs::path folder = pattern;
    std::ofstream roster_file(folder / "idm_list.txt", std::ios::binary);
    for (int i = 0; i < n; ++i) {
      const std::string idm = idm_of(i);
      roster_file << idm << ' ' << 1700000000 + i << " 山田 " << i << "\r\n";
      std::ofstream(folder / (idm + "_inf.txt"), std::ios::binary)
          << "state " << (i % 10 == 0 ? 1 : 0) << "\r\n";
    }
    return folder;
  }

  std::map<int, fs::path> folders_;
};

data_folders folders;

void card_event(benchmark::State& state) {
  folders.enter(10000);
  roster_load();
  const std::string idm = idm_of(static_cast<int>(state.range(0)));
  int64_t time = 1700000000;
  for (auto _ : state) {
    handle_card_event(nullptr, idm.c_str(), ++time);
    benchmark::DoNotOptimize(event_text);
  }
  std::remove("in_out.txt");
}
BENCHMARK(card_event)->Arg(0)->Arg(5000)->Arg(9999);

void movement_floor(benchmark::State& state) {
  folders.enter(10000);
  const std::string state_name = idm_of(9999) + "_inf.txt";
  char buffer[64];
  for (auto _ : state) {
    int fd = open(state_name.c_str(), O_RDONLY);
    const ssize_t size = read(fd, buffer, sizeof buffer);
    close(fd);
    const int new_state = size > 6 && buffer[6] == '0' ? 1 : 0;

    const int line_size = std::snprintf(buffer, sizeof buffer, "2023/11/15 07:13:20 %s %s\r\n",
                                        new_state ? "in__入室" : "out_退室", "山田 9999");
    fd = open("in_out.txt", O_WRONLY | O_APPEND | O_CREAT, 0644);
    benchmark::DoNotOptimize(write(fd, buffer, static_cast<size_t>(line_size)));
    close(fd);

    const int state_size = std::snprintf(buffer, sizeof buffer, "state %d\r\n", new_state);
    fd = open(state_name.c_str(), O_WRONLY | O_TRUNC);
    benchmark::DoNotOptimize(write(fd, buffer, static_cast<size_t>(state_size)));
    close(fd);
  }
  std::remove("in_out.txt");
}
BENCHMARK(movement_floor);

int listed = 0;
void count_listed(const char*) { ++listed; }

void startup(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  folders.enter(n);
  for (auto _ : state) {
    listed = 0;
    roster_load();
    presence_list_fill(count_listed);
    benchmark::DoNotOptimize(listed);
  }
  if (roster.count != n || listed != (n + 9) / 10) state.SkipWithError("wrong roster");
  state.SetComplexityN(n);
}
BENCHMARK(startup)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
