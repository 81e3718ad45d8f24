// A test on the recording fake library, bound through the real reader layer
// from a common folder of its own; the script starts from its defaults.
#pragma once

#include <gtest/gtest.h>

#include "reader/reader.h"
#include "tests/reader/fake_library_script.h"
#include "tests/reader/reader_test_support.h"

class bound_fake_reader : public testing::Test {
 protected:
  void SetUp() override {
    reset_fake_library();
    bound.reset(reader_open());
    ASSERT_NE(bound, nullptr);
  }
  fake_library_script& script = *fake_library();
  common_folder folder{FAKE_READER_LIBRARY};
  reader_ptr bound;
};
