#include "tests/gui/x_screen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <sstream>
#include <thread>

x_screen::x_screen() {
  int fds[2];
  if (pipe(fds) != 0) return;
  spawn_options o;
  o.keep_fd = fds[1];
  server_ = std::make_unique<child_process>(
      std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp", "-noreset"},
      o);
  close(fds[1]);
  // Xvfb writes the display number it chose once it accepts clients.
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (poll(&p, 1, 10000) > 0) {
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number.push_back(c);
  }
  close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

x_screen::~x_screen() = default;

std::string x_screen::xdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  spawn_options o;
  o.environment = {{"DISPLAY", display_}};
  return run_program(argv, o).second;
}

unsigned long x_screen::wait_for_window(const std::string& title_regex, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    std::istringstream found(xdotool({"search", "--onlyvisible", "--name", title_regex}));
    unsigned long id = 0, last = 0;
    while (found >> id) last = id;
    if (last || std::chrono::steady_clock::now() >= end) return last;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

bool x_screen::wait_until_gone(const std::string& title_regex, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (xdotool({"search", "--onlyvisible", "--name", title_regex}).empty()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

screen_rect x_screen::geometry(unsigned long window) {
  screen_rect r;
  std::istringstream lines(xdotool({"getwindowgeometry", "--shell", std::to_string(window)}));
  std::string line;
  while (std::getline(lines, line)) {
    auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string name = line.substr(0, eq);
    int value = std::atoi(line.c_str() + eq + 1);
    if (name == "X") r.x = value;
    if (name == "Y") r.y = value;
    if (name == "WIDTH") r.width = value;
    if (name == "HEIGHT") r.height = value;
  }
  return r;
}

void x_screen::click_at(int x, int y) {
  xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
}

void x_screen::type(const std::string& utf8) { xdotool({"type", "--delay", "30", utf8}); }

void x_screen::key(const std::string& name) { xdotool({"key", name}); }

bool x_screen::close_box(unsigned long window) {
  Display* d = XOpenDisplay(display_.c_str());
  if (!d) return false;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  Status sent = XSendEvent(d, window, False, NoEventMask, &e);
  XCloseDisplay(d);
  return sent != 0;
}

bool x_screen::screenshot(const std::string& png_path) {
  spawn_options o;
  o.environment = {{"DISPLAY", display_}};
  return run_program({"import", "-window", "root", png_path}, o).first == 0;
}
