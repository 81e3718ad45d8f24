#include "recording.h"

#include "platform/resource_data.h"
#include "platform/window_query.h"
#include "resources/embedded_resources.h"

namespace recording {

std::vector<entry>& log() {
  static std::vector<entry> entries;
  return entries;
}

void PrintTo(const entry& e, std::ostream* out) {
  *out << "{" << e.window << ", 0x" << std::hex << e.message << ", 0x" << e.wparam << std::dec << "}";
}

namespace {
std::map<HWND, std::string>& names() {
  static std::map<HWND, std::string> n;
  return n;
}
}  // namespace

void name(HWND hwnd, const std::string& n) { names()[hwnd] = n; }

std::string name_of(HWND hwnd) {
  auto it = names().find(hwnd);
  if (it != names().end()) return it->second;
  platform::window_info info;
  return platform::query_window(hwnd, &info) ? info.text : "?";
}

bool noise(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_SHOWWINDOW:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      return true;
  }
  return false;
}

std::map<UINT, handler>& window_handlers() {
  static std::map<UINT, handler> h;
  return h;
}

LRESULT CALLBACK window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!noise(message)) log().push_back({name_of(hwnd), message, wparam});
  auto it = window_handlers().find(message);
  if (it != window_handlers().end()) return it->second(hwnd, message, wparam, lparam);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

ATOM register_class(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = window_proc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = "MYMENU";
  wc.lpszClassName = "recorder";
  return RegisterClassExA(&wc);
}

HWND create_main(HINSTANCE instance) {
  register_class(instance);
  HWND hwnd = CreateWindowExA(0, "recorder", "main", WS_OVERLAPPEDWINDOW, 10, 20, 400, 300,
                              nullptr, nullptr, instance, nullptr);
  name(hwnd, "main");
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  return hwnd;
}

HINSTANCE program_module() { return module_from_resources(portelia_resources, portelia_resources_size); }

void start() {
  headless::reset();
  log().clear();
  names().clear();
  window_handlers().clear();
}

}  // namespace recording
