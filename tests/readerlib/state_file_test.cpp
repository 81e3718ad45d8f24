// Where the emulated reader's state lies, and replacing it whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "readerlib/state_file.h"

namespace {

struct path_case {
  const char* name;
  const char* configured;  // nullptr: unset
  const char* runtime;
  const char* temporary;
  std::string expected;
};
void PrintTo(const path_case& c, std::ostream* out) { *out << c.name; }

void set_or_unset(const char* name, const char* value) {
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

class state_file_place : public testing::TestWithParam<path_case> {};

TEST_P(state_file_place, follows_the_environment) {
  set_or_unset("PORTELIA_EMULATED_READER", GetParam().configured);
  set_or_unset("XDG_RUNTIME_DIR", GetParam().runtime);
  set_or_unset("TMPDIR", GetParam().temporary);
  EXPECT_EQ(emulated_reader_path(), GetParam().expected);
}

const std::string uid = std::to_string(getuid());

INSTANTIATE_TEST_SUITE_P(
    cases, state_file_place,
    testing::Values(path_case{"configured", "/x/reader.state", "/run/user/7", "/t", "/x/reader.state"},
                    path_case{"runtime_folder", nullptr, "/run/user/7", "/t", "/run/user/7/portelia-reader.state"},
                    path_case{"empty_is_unset", "", "", "/t", "/t/portelia-reader-" + uid + ".state"},
                    path_case{"temporary_folder", nullptr, nullptr, nullptr, "/tmp/portelia-reader-" + uid + ".state"}),
    [](const auto& info) { return info.param.name; });

class state_file : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::filesystem::temp_directory_path() / "portelia-state-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    path = folder + "/reader.state";
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  int files_in_folder() {
    int count = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
  }

  std::string folder;
  std::string path;
  const card_identifier idm = {1, 2, 3, 4, 5, 6, 7, 8};
};

TEST_F(state_file, a_saved_state_loads_back_and_leaves_no_temporary_file) {
  EXPECT_FALSE(emulated_reader_attached(path));
  ASSERT_TRUE(save_emulated_reader(path, {default_card(idm, default_pmm)}, nullptr));
  EXPECT_TRUE(emulated_reader_attached(path));
  std::optional<emulated_reader> loaded = load_emulated_reader(path, nullptr);
  ASSERT_TRUE(loaded && loaded->card);
  EXPECT_EQ(loaded->card->idm, idm);
  EXPECT_EQ(files_in_folder(), 1);
}

TEST_F(state_file, a_state_that_can_not_be_put_in_place_leaves_nothing_behind) {
  std::filesystem::create_directories(path + "/in-the-way");
  std::string error;
  EXPECT_FALSE(save_emulated_reader(path, {}, &error));
  EXPECT_NE(error.find(path), std::string::npos);
  EXPECT_EQ(files_in_folder(), 1);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(state_file, a_missing_folder_is_an_error_not_a_new_folder) {
  std::string error;
  EXPECT_FALSE(save_emulated_reader(folder + "/missing/reader.state", {}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists(folder + "/missing"));
}

TEST_F(state_file, a_broken_state_does_not_load_and_says_why) {
  {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs("card=nonsense\r\n", out);
    std::fclose(out);
  }
  std::string error;
  EXPECT_FALSE(load_emulated_reader(path, &error));
  EXPECT_EQ(error, path + ": line 1: card= takes an IDm of 16 hex digits");
}

TEST_F(state_file, removing_detaches_and_removing_again_is_fine) {
  ASSERT_TRUE(save_emulated_reader(path, {}, nullptr));
  EXPECT_TRUE(remove_emulated_reader(path, nullptr));
  EXPECT_FALSE(emulated_reader_attached(path));
  EXPECT_TRUE(remove_emulated_reader(path, nullptr));
}

}  // namespace
