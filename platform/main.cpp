// The process entry on systems without the Windows start-up code: makes the
// module instance from the program's embedded resources, sets up the view
// and calls the program's WinMain, whose result is the exit status.
#include <memory>
#include <string>

#include "platform/resource_data.h"
#include "platform/view.h"
#include "platform/win32.h"
#include "resources/embedded_resources.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show);

namespace platform {

// Without a view library linked in, the program runs with the null view.
__attribute__((weak)) std::unique_ptr<view> make_program_view(int&, char**) { return nullptr; }

}  // namespace platform

int main(int argc, char** argv) {
  std::unique_ptr<platform::view> screen = platform::make_program_view(argc, argv);
  if (screen) platform::set_view(screen.get());
  HINSTANCE instance = module_from_resources(portelia_resources, portelia_resources_size);
  // The command line after the program name, as Windows hands it over.
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line.push_back(' ');
    command_line += argv[i];
  }
  int status = WinMain(instance, nullptr, command_line.data(), SW_SHOWDEFAULT);
  platform::set_view(nullptr);
  return status;
}
