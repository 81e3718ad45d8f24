// The card identifier read of every poll-timer tick, against the recording fake.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "reader/reader.h"
#include "tests/reader/fake_library_script.h"
#include "tests/reader/reader_test_support.h"

namespace {

class card_idm_read : public testing::Test {
 protected:
  void SetUp() override { reset_fake_library(); }
  fake_library_script& script = *fake_library();
};

struct idm_case {
  const char* name;
  uint8_t idm[8];
  const char* text;
};
void PrintTo(const idm_case& c, std::ostream* out) { *out << c.name; }

class card_idm_texts : public card_idm_read, public testing::WithParamInterface<idm_case> {};

TEST_P(card_idm_texts, are_16_upper_case_hex_digits) {
  common_folder folder(FAKE_READER_LIBRARY);
  std::memcpy(script.idm, GetParam().idm, 8);
  char text[1024] = {};
  EXPECT_EQ(read_card_idm(text), 16);
  EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    cases, card_idm_texts,
    testing::Values(
        idm_case{"mixed", {0x01, 0x2E, 0x00, 0x0A, 0xFF, 0x10, 0x9B, 0x7C}, "012E000AFF109B7C"},
        idm_case{"small_bytes", {0x05, 0x00, 0x01, 0x0F, 0x00, 0x00, 0x00, 0x09}, "0500010F00000009"},
        idm_case{"letters", {0xAB, 0xCD, 0xEF, 0xFA, 0xBC, 0xDE, 0xAF, 0xFF}, "ABCDEFFABCDEAFFF"}),
    [](const auto& info) { return info.param.name; });

TEST_F(card_idm_read, one_read_is_one_whole_cycle_that_releases_everything) {
  common_folder folder(FAKE_READER_LIBRARY);
  char text[1024] = {};
  long before = live_allocations();
  read_card_idm(text);
  EXPECT_EQ(live_allocations(), before);
  EXPECT_FALSE(library_loaded(folder.library_path()));
  const fake_entry expected[] = {fake_initialize, fake_open, fake_poll, fake_dispose};
  ASSERT_EQ(script.order_length, 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(script.order[i], expected[i]);
  EXPECT_EQ(script.polled_system_code[0], 0xFF);
  EXPECT_EQ(script.polled_system_code[1], 0xFF);
  EXPECT_EQ(script.polling.time_slot, 0);
}

TEST_F(card_idm_read, with_no_card_the_text_is_error000000_and_the_rest_untouched) {
  common_folder folder(FAKE_READER_LIBRARY);
  script.number_of_cards = 0;
  char text[1024];
  std::memset(text, 0, sizeof text);
  text[12] = 'x';
  text[100] = 'y';
  EXPECT_EQ(read_card_idm(text), 0);
  EXPECT_STREQ(text, "ERROR000000");
  EXPECT_EQ(text[12], 'x');
  EXPECT_EQ(text[100], 'y');
}

TEST_F(card_idm_read, with_no_reader_attached_the_poll_is_still_made) {
  common_folder folder(FAKE_READER_LIBRARY);
  script.result[fake_open] = 0;
  script.result[fake_poll] = 0;
  char text[1024] = {};
  EXPECT_EQ(read_card_idm(text), 0);
  EXPECT_STREQ(text, "ERROR000000");
  EXPECT_EQ(script.calls[fake_poll], 1);
  EXPECT_EQ(script.calls[fake_dispose], 1);
}

TEST_F(card_idm_read, a_missing_library_ends_the_process_with_1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  common_folder folder("");
  char text[1024] = {};
  EXPECT_EXIT(read_card_idm(text), testing::ExitedWithCode(1), "^PaSoRi open failed\\.\n$");
}

TEST_F(card_idm_read, a_library_that_fails_to_initialise_ends_the_process_with_1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  common_folder folder(FAKE_READER_LIBRARY);
  script.result[fake_initialize] = 0;
  char text[1024] = {};
  EXPECT_EXIT(read_card_idm(text), testing::ExitedWithCode(1), "^PaSoRi open failed\\.\n$");
}

TEST_F(card_idm_read, a_library_removed_while_running_ends_the_next_read) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  common_folder folder(FAKE_READER_LIBRARY);
  char text[1024] = {};
  EXPECT_EQ(read_card_idm(text), 16);
  std::remove(folder.library_path().c_str());
  EXPECT_EXIT(read_card_idm(text), testing::ExitedWithCode(1), "PaSoRi open failed\\.");
}

}  // namespace
