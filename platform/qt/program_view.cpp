// The program's screen: the Qt view, in place of the null view that
// platform_main falls back to.
#include "platform/qt/qt_view.h"

namespace platform {

std::unique_ptr<view> make_program_view(int& argc, char** argv) { return std::make_unique<qt::qt_view>(argc, argv); }

}  // namespace platform
