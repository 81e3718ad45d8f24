// One idle card identifier read (bind, connect, poll, release) on the
// emulated reader, against its floor measured in the same run: loading the
// same library, looking up its nine entry points, unloading it, and one read
// of the reader's state file. Goal: at most 1.5 times the floor.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "reader/reader.h"
#include "readerlib/state_file.h"
#include "bench/ratio_reporter.h"

namespace {

constexpr const char* entry_point_names[] = {
    "initialize_library",
    "dispose_library",
    "open_reader_writer_auto",
    "close_reader_writer",
    "polling_and_get_card_information",
    "polling_and_request_system_code",
    "polling_and_search_service_code",
    "read_block_without_encryption",
    "write_block_without_encryption"};

std::string state_path;
std::string library_path;

void floor_of_a_read(benchmark::State& state) {
  char text[4096];
  for (auto _ : state) {
    void* module = dlopen(library_path.c_str(), RTLD_NOW | RTLD_LOCAL);
    for (const char* name : entry_point_names) benchmark::DoNotOptimize(dlsym(module, name));
    dlclose(module);
    int file = open(state_path.c_str(), O_RDONLY | O_CLOEXEC);
    benchmark::DoNotOptimize(read(file, text, sizeof text));
    close(file);
  }
}
BENCHMARK(floor_of_a_read);

void idle_read_card_idm(benchmark::State& state) {
  char text[1024] = {};
  for (auto _ : state) benchmark::DoNotOptimize(read_card_idm(text));
  if (std::string(text) != "ERROR000000") state.SkipWithError("the reader was not idle");
}
BENCHMARK(idle_read_card_idm);

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "portelia-bench-reader";
  std::filesystem::create_directories(folder);
  state_path = (folder / "reader.state").string();
  library_path = std::string(PORTELIA_COMMON_FOLDER) + "/readers/libportelia-reader.so";
  setenv("PORTELIA_EMULATED_READER", state_path.c_str(), 1);
  setenv("CommonProgramFiles", PORTELIA_COMMON_FOLDER, 1);
  unsetenv("PORTELIA_READER");
  if (!save_emulated_reader(state_path, emulated_reader{}, nullptr)) {
    std::fprintf(stderr, "can not write %s\n", state_path.c_str());
    return 1;
  }

  benchmark::Initialize(&argc, argv);
  ratio_reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::filesystem::remove_all(folder);

  auto floor = reporter.times.find("floor_of_a_read");
  auto read = reporter.times.find("idle_read_card_idm");
  if (floor == reporter.times.end() || read == reporter.times.end()) return 0;
  double ratio = read->second / floor->second;
  std::printf("idle read_card_idm / floor = %.2f (goal: at most 1.50) %s\n", ratio,
              ratio <= 1.5 ? "met" : "NOT MET");
  return 0;
}
