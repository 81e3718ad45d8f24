// Run-time library loading and the common program files folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/win32.h"
#include "tests/reader/fake_library_script.h"
#include "tests/reader/reader_test_support.h"

namespace {

std::string common_folder_path(BOOL create = FALSE) {
  char path[MAX_PATH] = "unchanged";
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAM_FILES_COMMON, create)) return "failed:" + std::string(path);
  return path;
}

TEST(common_program_files, is_the_configured_folder_without_a_trailing_slash) {
  common_folder folder("");
  setenv("CommonProgramFiles", (folder.path() + "/").c_str(), 1);
  EXPECT_EQ(common_folder_path(), folder.path());
}

TEST(common_program_files, is_lib_portelia_beside_the_program_folder_when_not_configured) {
  unsetenv("CommonProgramFiles");
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(common_folder_path(), (program.parent_path().parent_path() / "lib/portelia").string());
}

TEST(common_program_files, a_folder_that_does_not_fit_is_a_failure_with_an_empty_path) {
  common_folder folder("");
  setenv("CommonProgramFiles", ("/" + std::string(MAX_PATH, 'x')).c_str(), 1);
  EXPECT_EQ(common_folder_path(), "failed:");
}

TEST(common_program_files, is_created_on_request) {
  common_folder folder("");
  std::string missing = folder.path() + "/a/b";
  setenv("CommonProgramFiles", missing.c_str(), 1);
  EXPECT_EQ(common_folder_path(TRUE), missing);
  EXPECT_TRUE(std::filesystem::is_directory(missing));
}

TEST(shell_folders, other_folders_are_unknown) {
  char path[MAX_PATH] = "unchanged";
  EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, 0x0026, FALSE));
  EXPECT_STREQ(path, "");
}

TEST(library_loading, a_library_is_loaded_looked_up_and_unloaded) {
  HMODULE module = LoadLibraryA(FAKE_READER_LIBRARY);
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(library_loaded(FAKE_READER_LIBRARY));
  EXPECT_NE(GetProcAddress(module, "initialize_library"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "no_such_entry"), nullptr);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_FALSE(library_loaded(FAKE_READER_LIBRARY));
}

TEST(library_loading, missing_libraries_and_handles_fail) {
  EXPECT_EQ(LoadLibraryA("/nonexistent/libnothing.so"), nullptr);
  EXPECT_EQ(LoadLibraryA(""), nullptr);
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "initialize_library"), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));
}

}  // namespace
