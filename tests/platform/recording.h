// A window procedure and a dialog procedure that record what they receive,
// for message-sequence tables.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/win32.h"

namespace recording {

struct entry {
  std::string window;  // the name the test gave the window
  UINT message;
  WPARAM wparam;
  bool operator==(const entry&) const = default;
};
void PrintTo(const entry& e, std::ostream* out);

std::vector<entry>& log();
// Gives a window a name in the log (else its text names it).
void name(HWND hwnd, const std::string& name);
std::string name_of(HWND hwnd);

// Messages left out of the log: they only tell of painting and activation.
bool noise(UINT message);

// Handlers the test can set per message; the default is DefWindowProcA.
using handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
std::map<UINT, handler>& window_handlers();
LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The class "recorder" with window_proc, a white background and the menu
// MYMENU of `instance`.
ATOM register_class(HINSTANCE instance);
// A visible top-level recorder window named "main" in the log.
HWND create_main(HINSTANCE instance);

// The program's resources as a module.
HINSTANCE program_module();

// Starts a test: headless reset, empty log and handlers.
void start();

}  // namespace recording
