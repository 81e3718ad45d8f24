// How long the program takes to show its window.
//
// startup/0 and startup/10000: from exec of the built program to the X
// server mapping its main window, on a virtual screen (Xvfb), in a data
// folder with no cards and with 10,000 registered cards (every other holder
// in, so 5,000 names fill the list). sound.ini holds 1 (the wave plays on
// while start-up goes on; the tone of mode 0 holds start-up for its 500 ms
// by design). map_floor: the same for a bare Xlib program that maps one
// window, in the same run.
// Goal on a 2-core machine: startup/0 under 300 ms, startup/10000 under
// 600 ms; the counter vs_floor gives the ratio to map_floor.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The child that maps a bare window, for the floor.
int map_a_window() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;
  Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 400, 300, 0, 0, 0xFFFFFF);
  XStoreName(d, w, "floor");
  XMapWindow(d, w);
  XFlush(d);
  pause();
  return 0;
}

// An Xvfb of our own for the whole run, and a connection that watches
// windows being mapped on it.
struct virtual_screen {
  pid_t server = -1;
  std::string display;
  Display* watcher = nullptr;

  virtual_screen() {
    int fds[2];
    if (pipe(fds) != 0) return;
    server = fork();
    if (server == 0) {
      std::string fd = std::to_string(fds[1]);
      close(fds[0]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
    close(fds[0]);
    if (number.empty()) return;
    display = ":" + number;
    watcher = XOpenDisplay(display.c_str());
    if (watcher) XSelectInput(watcher, DefaultRootWindow(watcher), SubstructureNotifyMask);
  }
  ~virtual_screen() {
    if (watcher) XCloseDisplay(watcher);
    if (server > 0) {
      kill(server, SIGTERM);
      waitpid(server, nullptr, 0);
    }
  }

  // Waits for a window of at least 200 x 100 to be mapped; false after 10 s.
  bool wait_for_main_window() {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
      while (XPending(watcher)) {
        XEvent e;
        XNextEvent(watcher, &e);
        if (e.type != MapNotify) continue;
        XWindowAttributes a;
        if (XGetWindowAttributes(watcher, e.xmap.window, &a) && a.width >= 200 && a.height >= 100) return true;
      }
      pollfd p{ConnectionNumber(watcher), POLLIN, 0};
      poll(&p, 1, 50);
    }
    return false;
  }
};

virtual_screen& screen() {
  static virtual_screen s;
  return s;
}

std::string self_path;
double floor_seconds = 0;

fs::path data_folder(int cards) {
  fs::path folder = fs::temp_directory_path() / ("portelia-startup-" + std::to_string(getpid()) + "-" +
                                                 std::to_string(cards));
  if (fs::exists(folder / "idm_list.txt") || (cards == 0 && fs::exists(folder / "sound.ini"))) return folder;
  fs::create_directories(folder);
  std::ofstream(folder / "sound.ini", std::ios::binary) << "1\r\n";
  if (cards > 0) {
    std::ofstream roster(folder / "idm_list.txt", std::ios::binary);
    for (int i = 0; i < cards; ++i) {
      char idm[17];
      std::snprintf(idm, sizeof idm, "%016X", i);
      roster << idm << " 1700000000 name" << i << "\r\n";
      std::ofstream(folder / (std::string(idm) + "_inf.txt"), std::ios::binary) << "state " << (i % 2) << "\r\n";
    }
  }
  return folder;
}

// Seconds from exec of `argv` in `folder` to its main window being mapped.
double time_to_window(const std::vector<std::string>& argv, const fs::path& folder, benchmark::State& state) {
  virtual_screen& s = screen();
  std::string reader = (folder.parent_path() / ("portelia-startup-reader-" + std::to_string(getpid()))).string();
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    setenv("DISPLAY", s.display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("PORTELIA_EMULATED_READER", reader.c_str(), 1);
    if (FILE* quiet = std::freopen("/dev/null", "w", stderr)) (void)quiet;
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  bool shown = s.wait_for_main_window();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  if (!shown) state.SkipWithError("no window appeared");
  return seconds;
}

void map_floor(benchmark::State& state) {
  if (!screen().watcher) state.SkipWithError("Xvfb did not start");
  double total = 0;
  for (auto _ : state) {
    double t = time_to_window({self_path, "--map-a-window"}, data_folder(0), state);
    state.SetIterationTime(t);
    total += t;
  }
  if (state.iterations() > 0) floor_seconds = total / static_cast<double>(state.iterations());
}
BENCHMARK(map_floor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void startup(benchmark::State& state) {
  if (!screen().watcher) state.SkipWithError("Xvfb did not start");
  fs::path folder = data_folder(static_cast<int>(state.range(0)));
  double total = 0;
  for (auto _ : state) {
    double t = time_to_window({PORTELIA_PROGRAM}, folder, state);
    state.SetIterationTime(t);
    total += t;
  }
  double mean = state.iterations() > 0 ? total / static_cast<double>(state.iterations()) : 0;
  if (floor_seconds > 0) state.counters["vs_floor"] = mean / floor_seconds;
  state.counters["goal_ms"] = state.range(0) == 0 ? 300 : 600;
}
BENCHMARK(startup)->Arg(0)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--map-a-window") == 0) return map_a_window();
  self_path = fs::canonical("/proc/self/exe").string();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (int cards : {0, 10000}) fs::remove_all(data_folder(cards));
  return 0;
}
