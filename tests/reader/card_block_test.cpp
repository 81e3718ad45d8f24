// Reading and writing one block, against the recording fake.
#include <gtest/gtest.h>

#include <cstring>

#include "reader/reader.h"
#include "tests/reader/fake_library_script.h"
#include "tests/reader/bound_fake_reader.h"

namespace {

class card_blocks : public bound_fake_reader {
 protected:
  void SetUp() override {
    bound_fake_reader::SetUp();
    if (HasFatalFailure()) return;
    polled.reset(card_poll(bound.get(), 0xFFFF, 0));
    ASSERT_NE(polled, nullptr);
    for (int i = 0; i < 16; ++i) script.block_data[i] = static_cast<uint8_t>(0xA0 + i);
  }
  card_ptr polled;
};

TEST_F(card_blocks, a_read_addresses_the_card_with_one_service_and_one_block) {
  uint8_t data[16] = {};
  EXPECT_EQ(card_read_block(polled.get(), 0x1234, 5, data), 0);
  EXPECT_EQ(std::memcmp(script.block_idm, polled->idm, 8), 0);
  EXPECT_EQ(script.read_request.service_count, 1);
  EXPECT_EQ(script.block_service_codes[0], 0x34);
  EXPECT_EQ(script.block_service_codes[1], 0x12);
  EXPECT_EQ(script.read_request.block_count, 1);
  EXPECT_EQ(script.block_list[0], 0x80);
  EXPECT_EQ(script.block_list[1], 0x05);
  EXPECT_EQ(script.blocks_read_before, 0);
  EXPECT_EQ(std::memcmp(data, script.block_data, 16), 0);
}

TEST_F(card_blocks, a_write_hands_over_the_16_bytes_with_the_same_addressing) {
  uint8_t data[16];
  for (int i = 0; i < 16; ++i) data[i] = static_cast<uint8_t>(i * 3);
  EXPECT_EQ(card_write_block(polled.get(), 0x1234, 255, data), 0);
  EXPECT_EQ(std::memcmp(script.block_idm, polled->idm, 8), 0);
  EXPECT_EQ(script.write_request.service_count, 1);
  EXPECT_EQ(script.block_service_codes[0], 0x34);
  EXPECT_EQ(script.block_service_codes[1], 0x12);
  EXPECT_EQ(script.write_request.block_count, 1);
  EXPECT_EQ(script.block_list[0], 0x80);
  EXPECT_EQ(script.block_list[1], 0xFF);
  EXPECT_EQ(std::memcmp(script.written_data, data, 16), 0);
}

struct block_outcome {
  const char* name;
  int library_result;
  bool flags_written;
  uint8_t status_flag_1;
  int expected;
};
void PrintTo(const block_outcome& c, std::ostream* out) { *out << c.name; }

class block_outcomes : public card_blocks, public testing::WithParamInterface<block_outcome> {
 protected:
  void script_outcome() {
    script.result[fake_read] = script.result[fake_write] = GetParam().library_result;
    script.write_status_flags = GetParam().flags_written;
    script.status_flag_1 = GetParam().status_flag_1;
    script.status_flag_2 = 0xA6;
  }
};

TEST_P(block_outcomes, of_a_read) {
  script_outcome();
  uint8_t data[16] = {};
  EXPECT_EQ(card_read_block(polled.get(), 0x1009, 0, data), GetParam().expected);
}

TEST_P(block_outcomes, of_a_write) {
  script_outcome();
  const uint8_t data[16] = {1};
  EXPECT_EQ(card_write_block(polled.get(), 0x1009, 0, data), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    cases, block_outcomes,
    testing::Values(block_outcome{"accepted", 1, true, 0x00, 0},
                    block_outcome{"refused_by_the_card", 1, true, 0x01, -1},
                    block_outcome{"library_failed", 0, true, 0x00, -1},
                    block_outcome{"status_never_written", 1, false, 0x00, -1}),
    [](const auto& info) { return info.param.name; });

}  // namespace
