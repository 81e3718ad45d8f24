// A virtual X screen (Xvfb) for one test, and what a person does on it:
// xdotool for the mouse and keyboard, and the close box as a window manager
// sends it (WM_DELETE_WINDOW). There is no window manager, so windows have
// no frames: a window's geometry is its client area (with the menu bar).
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/gui/child_process.h"

struct screen_rect {
  int x = 0, y = 0, width = 0, height = 0;
};

class x_screen {
 public:
  // Starts Xvfb on a free display number; check started() afterwards.
  x_screen();
  ~x_screen();
  bool started() const { return !display_.empty(); }
  // ":N", for DISPLAY.
  const std::string& display() const { return display_; }

  // xdotool with these arguments; its standard output.
  std::string xdotool(const std::vector<std::string>& args);
  // The newest window whose title matches the regular expression, waiting
  // up to `timeout`; 0 when none appears.
  unsigned long wait_for_window(const std::string& title_regex, std::chrono::milliseconds timeout);
  // Waits until no window with this title is left; false on timeout.
  bool wait_until_gone(const std::string& title_regex, std::chrono::milliseconds timeout);
  screen_rect geometry(unsigned long window);
  void click_at(int x, int y);
  // Types UTF-8 text with the keyboard, and presses a key ("Return").
  void type(const std::string& utf8);
  void key(const std::string& name);
  // The window manager's close box: asks the window to close.
  bool close_box(unsigned long window);
  // A PNG of the whole screen.
  bool screenshot(const std::string& png_path);

 private:
  std::unique_ptr<child_process> server_;
  std::string display_;
};
