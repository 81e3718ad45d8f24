// Binding and releasing the reader library, against the recording fake.
#include <gtest/gtest.h>

#include <filesystem>

#include "reader/reader.h"
#include "tests/reader/fake_library_script.h"
#include "tests/reader/reader_test_support.h"

namespace {

class reader_binding : public testing::Test {
 protected:
  void SetUp() override { reset_fake_library(); }
  fake_library_script& script = *fake_library();
};

TEST_F(reader_binding, with_no_library_file_nothing_is_bound_or_left_allocated) {
  common_folder folder("");
  long before = live_allocations();
  EXPECT_EQ(reader_open(), nullptr);
  EXPECT_EQ(live_allocations(), before);
  EXPECT_FALSE(library_loaded(folder.library_path()));
}

TEST_F(reader_binding, a_library_that_fails_to_initialise_is_unloaded) {
  common_folder folder(FAKE_READER_LIBRARY);
  script.result[fake_initialize] = 0;
  long before = live_allocations();
  EXPECT_EQ(reader_open(), nullptr);
  EXPECT_EQ(script.calls[fake_initialize], 1);
  EXPECT_EQ(live_allocations(), before);
  EXPECT_FALSE(library_loaded(folder.library_path()));
}

TEST_F(reader_binding, a_library_lacking_an_entry_point_is_not_bound_nor_initialised) {
  common_folder folder(FAKE_INCOMPLETE_LIBRARY);
  EXPECT_EQ(reader_open(), nullptr);
  EXPECT_EQ(script.calls[fake_initialize], 0);
  EXPECT_FALSE(library_loaded(folder.library_path()));
}

TEST_F(reader_binding, open_then_close_initialises_disposes_and_unloads) {
  common_folder folder(FAKE_READER_LIBRARY);
  long before = live_allocations();
  reader* bound = reader_open();
  ASSERT_NE(bound, nullptr);
  EXPECT_TRUE(library_loaded(folder.library_path()));
  EXPECT_NE(bound->close_reader_writer, nullptr);
  reader_close(bound);
  EXPECT_FALSE(library_loaded(folder.library_path()));
  EXPECT_EQ(live_allocations(), before);
  const fake_entry expected[] = {fake_initialize, fake_dispose};
  ASSERT_EQ(script.order_length, 2);
  EXPECT_EQ(script.order[0], expected[0]);
  EXPECT_EQ(script.order[1], expected[1]);
}

TEST_F(reader_binding, with_no_reader_attached_connect_fails_and_close_still_releases) {
  common_folder folder(FAKE_READER_LIBRARY);
  script.result[fake_open] = 0;
  reader* bound = reader_open();
  ASSERT_NE(bound, nullptr);
  EXPECT_EQ(reader_connect(bound), -1);
  reader_close(bound);
  EXPECT_EQ(script.calls[fake_dispose], 1);
  EXPECT_EQ(script.calls[fake_close], 0);
  EXPECT_FALSE(library_loaded(folder.library_path()));
}

TEST_F(reader_binding, with_a_reader_connect_gives_0) {
  common_folder folder(FAKE_READER_LIBRARY);
  reader_ptr bound(reader_open());
  ASSERT_NE(bound, nullptr);
  EXPECT_EQ(reader_connect(bound.get()), 0);
  EXPECT_EQ(script.calls[fake_open], 1);
}

TEST_F(reader_binding, a_library_path_that_does_not_fit_binds_nothing) {
  // A folder such that the library's path is 2 bytes too long: cut to
  // MAX_PATH it would name readers/libportelia-reader, which exists.
  common_folder folder("");
  const std::string name = "/readers/libportelia-reader.so";
  std::string deep = folder.path() + "/";
  deep += std::string(MAX_PATH + 2 - name.size() - deep.size(), 'x');
  std::filesystem::create_directories(deep + "/readers");
  std::filesystem::create_symlink(FAKE_READER_LIBRARY, deep + "/readers/libportelia-reader");
  setenv("CommonProgramFiles", deep.c_str(), 1);
  EXPECT_EQ(reader_open(), nullptr);
  EXPECT_EQ(script.calls[fake_initialize], 0);
}

}  // namespace
