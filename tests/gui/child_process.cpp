#include "tests/gui/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <thread>

child_process::child_process(const std::vector<std::string>& argv, const spawn_options& options) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  int out[2] = {-1, -1};
  if (options.capture_output && pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // The child: only async-signal-safe calls and exec from here.
    if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) _exit(126);
    for (const auto& [name, value] : options.environment) setenv(name.c_str(), value.c_str(), 1);
    if (options.capture_output) dup2(out[1], STDOUT_FILENO);
    if (options.keep_fd >= 0) fcntl(options.keep_fd, F_SETFD, 0);
    execvp(args[0], args.data());
    _exit(127);
  }
  if (options.capture_output) {
    close(out[1]);
    output_fd_ = out[0];
  }
}

child_process::~child_process() {
  if (output_fd_ >= 0) close(output_fd_);
  if (status_ || pid_ <= 0) return;
  kill(pid_, SIGTERM);
  if (!wait_for_exit(std::chrono::milliseconds(3000))) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::optional<int> child_process::wait_for_exit(std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!status_) {
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      break;
    }
    if (r < 0 && errno != EINTR) {
      status_ = -1;
      break;
    }
    if (std::chrono::steady_clock::now() >= end) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return status_;
}

bool child_process::running() { return !wait_for_exit(std::chrono::milliseconds(0)); }

std::string child_process::output() {
  std::string text;
  char buffer[4096];
  for (;;) {
    ssize_t n = read(output_fd_, buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  return text;
}

std::pair<int, std::string> run_program(const std::vector<std::string>& argv, const spawn_options& options) {
  spawn_options o = options;
  o.capture_output = true;
  child_process child(argv, o);
  std::string text = child.output();
  std::optional<int> status = child.wait_for_exit(std::chrono::milliseconds(10000));
  return {status.value_or(-1), text};
}
