// Programs that the window tests start: the virtual screen, the installed
// portelia, portelia-card and xdotool. A child_process is stopped (TERM,
// then KILL) when it goes out of scope, so no test leaves one behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct spawn_options {
  std::filesystem::path folder;  // working folder; empty: the test's
  std::vector<std::pair<std::string, std::string>> environment;  // added or replaced
  int keep_fd = -1;              // a descriptor the child inherits as is
  bool capture_output = false;   // standard output into a pipe (see output())
};

class child_process {
 public:
  child_process(const std::vector<std::string>& argv, const spawn_options& options);
  ~child_process();
  child_process(const child_process&) = delete;
  child_process& operator=(const child_process&) = delete;

  // The exit status once the child has ended within `timeout`; -1 when it
  // died of a signal; nothing while it still runs.
  std::optional<int> wait_for_exit(std::chrono::milliseconds timeout);
  bool running();
  // Everything the child wrote to standard output (capture_output), read
  // until it closes it.
  std::string output();

 private:
  pid_t pid_ = -1;
  int output_fd_ = -1;
  std::optional<int> status_;
};

// Runs a program to its end (at most 10 seconds) and returns its exit
// status and standard output.
std::pair<int, std::string> run_program(const std::vector<std::string>& argv, const spawn_options& options);
