// SHGetSpecialFolderPathA for the one shell folder the program asks for.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/win32_library.h"

namespace {

// <prefix>/lib/portelia, where <prefix> is the folder above the running
// program's own folder (a program in <prefix>/bin), or "" when the running
// program can not be found.
std::string installation_common_folder() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || program.empty()) return {};
  return (program.parent_path().parent_path() / "lib" / "portelia").string();
}

}  // namespace

BOOL WINAPI SHGetSpecialFolderPathA(HWND /*owner*/, LPSTR path, int folder, BOOL create) {
  if (path == nullptr) return FALSE;
  path[0] = '\0';
  if (folder != CSIDL_PROGRAM_FILES_COMMON) return FALSE;

  std::string found;
  const char* configured = std::getenv("CommonProgramFiles");
  if (configured != nullptr && *configured != '\0') {
    found = configured;
  } else {
    found = installation_common_folder();
  }
  while (found.size() > 1 && found.back() == '/') found.pop_back();
  if (found.empty() || found.size() >= MAX_PATH) return FALSE;

  if (create) {
    std::error_code error;
    std::filesystem::create_directories(found, error);
    if (error || !std::filesystem::is_directory(found, error)) return FALSE;
  }
  std::memcpy(path, found.c_str(), found.size() + 1);
  return TRUE;
}
