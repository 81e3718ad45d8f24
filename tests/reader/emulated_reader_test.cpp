// The emulated reader end to end: portelia-card puts cards on it and takes
// them off, the program sees them through the reader layer and the real
// stand-in library.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "reader/reader.h"
#include "tests/reader/reader_test_support.h"

namespace {

class emulated_reader_story : public testing::Test {
 protected:
  void SetUp() override {
    state_path = folder.path() + "/reader.state";
    setenv("PORTELIA_EMULATED_READER", state_path.c_str(), 1);
    unsetenv("PORTELIA_READER");
  }
  void TearDown() override { unsetenv("PORTELIA_EMULATED_READER"); }

  // Runs portelia-card as a person would; its exit status.
  int portelia_card(const std::string& arguments) {
    std::string command = std::string(PORTELIA_CARD) + " " + arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string read_text() {
    char text[1024] = {};
    read_card_idm(text);
    return text;
  }

  std::string state_text() {
    std::ifstream in(state_path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }

  common_folder folder{EMULATED_READER_LIBRARY};
  std::string state_path;
};

TEST_F(emulated_reader_story, cards_come_and_go_as_they_are_put_and_taken_off) {
  EXPECT_EQ(read_text(), "ERROR000000");  // no reader attached

  ASSERT_EQ(portelia_card("plug"), 0);
  EXPECT_EQ(read_text(), "ERROR000000");  // an empty reader

  ASSERT_EQ(portelia_card("put 012E000AFF109B7C"), 0);
  char text[1024] = {};
  EXPECT_EQ(read_card_idm(text), 16);
  EXPECT_STREQ(text, "012E000AFF109B7C");
  EXPECT_EQ(read_text(), "012E000AFF109B7C");  // it stays until taken off

  ASSERT_EQ(portelia_card("put 0102030405060708 1122334455667788"), 0);
  reader_ptr bound(reader_open());
  ASSERT_NE(bound, nullptr);
  ASSERT_EQ(reader_connect(bound.get()), 0);
  card_ptr polled(card_poll(bound.get(), 0xFFFF, 0));
  ASSERT_NE(polled, nullptr);
  const uint8_t idm[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const uint8_t pmm[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  EXPECT_EQ(std::memcmp(polled->idm, idm, 8), 0);
  EXPECT_EQ(std::memcmp(polled->pmm, pmm, 8), 0);
  polled.reset();
  bound.reset();

  ASSERT_EQ(portelia_card("remove"), 0);
  EXPECT_EQ(read_text(), "ERROR000000");

  ASSERT_EQ(portelia_card("unplug"), 0);
  EXPECT_FALSE(std::filesystem::exists(state_path));
  bound.reset(reader_open());
  ASSERT_NE(bound, nullptr);
  EXPECT_EQ(reader_connect(bound.get()), -1);
  EXPECT_EQ(card_poll(bound.get(), 0xFFFF, 0), nullptr);
}

TEST_F(emulated_reader_story, the_library_is_unloaded_after_every_read) {
  ASSERT_EQ(portelia_card("put 012E000AFF109B7C"), 0);
  EXPECT_EQ(read_text(), "012E000AFF109B7C");
  EXPECT_FALSE(library_loaded(folder.library_path()));
}

TEST_F(emulated_reader_story, a_written_block_is_read_back_and_kept_on_the_card) {
  ASSERT_EQ(portelia_card("put 012E000AFF109B7C"), 0);
  uint8_t written[16];
  for (int i = 0; i < 16; ++i) written[i] = static_cast<uint8_t>(0xF0 - i);
  {
    reader_ptr bound(reader_open());
    ASSERT_NE(bound, nullptr);
    ASSERT_EQ(reader_connect(bound.get()), 0);
    card_ptr polled(card_poll(bound.get(), 0xFFFF, 0));
    ASSERT_NE(polled, nullptr);
    EXPECT_EQ(card_write_block(polled.get(), 0x1009, 5, written), 0);
    uint8_t read[16] = {};
    EXPECT_EQ(card_read_block(polled.get(), 0x1009, 5, read), 0);
    EXPECT_EQ(std::memcmp(read, written, 16), 0);
  }
  EXPECT_NE(state_text().find("block=1009 5 F0EFEEEDECEBEAE9E8E7E6E5E4E3E2E1\r\n"), std::string::npos);

  // In a later binding, and put down again, the card still holds it.
  ASSERT_EQ(portelia_card("put 012E000AFF109B7C"), 0);
  reader_ptr bound(reader_open());
  ASSERT_NE(bound, nullptr);
  ASSERT_EQ(reader_connect(bound.get()), 0);
  card_ptr polled(card_poll(bound.get(), 0x12FC, 0));
  ASSERT_NE(polled, nullptr);
  uint8_t read[16] = {};
  EXPECT_EQ(card_read_block(polled.get(), 0x1009, 5, read), 0);
  EXPECT_EQ(std::memcmp(read, written, 16), 0);
}

TEST_F(emulated_reader_story, the_directory_of_the_default_card) {
  ASSERT_EQ(portelia_card("put 012E000AFF109B7C"), 0);
  reader_ptr bound(reader_open());
  ASSERT_NE(bound, nullptr);
  ASSERT_EQ(reader_connect(bound.get()), 0);

  card_ptr systems(card_list_system_codes(bound.get()));
  ASSERT_NE(systems, nullptr);
  EXPECT_EQ(systems->idm[0], 0x01);
  ASSERT_EQ(systems->system_code_count, 2);
  EXPECT_EQ(systems->system_codes[0][0], 0x12);
  EXPECT_EQ(systems->system_codes[0][1], 0xFC);
  EXPECT_EQ(systems->system_codes[1][0], 0xFE);
  EXPECT_EQ(systems->system_codes[1][1], 0x00);

  card_ptr services(card_list_services(bound.get(), 0x12FC));
  ASSERT_NE(services, nullptr);
  ASSERT_EQ(services->area_count, 1);
  EXPECT_EQ(services->area_codes[0][0], 0x00);
  EXPECT_EQ(services->end_service_codes[0][0], 0xFE);
  EXPECT_EQ(services->end_service_codes[0][1], 0xFF);
  ASSERT_EQ(services->service_count, 2);
  EXPECT_EQ(services->service_codes[0][0], 0x09);  // 0x1009, low byte first
  EXPECT_EQ(services->service_codes[0][1], 0x10);
  EXPECT_EQ(services->service_codes[1][0], 0x0B);

  EXPECT_EQ(card_list_services(bound.get(), 0x1234), nullptr);  // no such system
}

struct block_access_case {
  const char* name;
  uint16_t polled_system;
  uint16_t service_code;
  uint8_t block;
  int read_expected;
  int write_expected;
};
void PrintTo(const block_access_case& c, std::ostream* out) { *out << c.name; }

class emulated_block_access : public emulated_reader_story,
                              public testing::WithParamInterface<block_access_case> {};

TEST_P(emulated_block_access, follows_the_services_of_the_polled_system) {
  const block_access_case& c = GetParam();
  ASSERT_EQ(portelia_card("put 012E000AFF109B7C"), 0);
  reader_ptr bound(reader_open());
  ASSERT_NE(bound, nullptr);
  ASSERT_EQ(reader_connect(bound.get()), 0);
  card_ptr polled(card_poll(bound.get(), c.polled_system, 0));
  ASSERT_NE(polled, nullptr);
  uint8_t data[16] = {7};
  EXPECT_EQ(card_read_block(polled.get(), c.service_code, c.block, data), c.read_expected);
  EXPECT_EQ(card_write_block(polled.get(), c.service_code, c.block, data), c.write_expected);
}

INSTANTIATE_TEST_SUITE_P(
    cases, emulated_block_access,
    testing::Values(block_access_case{"read_write_service", 0x12FC, 0x1009, 15, 0, 0},
                    block_access_case{"past_the_last_block", 0x12FC, 0x1009, 16, -1, -1},
                    block_access_case{"read_only_service", 0x12FC, 0x100B, 0, 0, -1},
                    block_access_case{"unknown_service", 0x12FC, 0x2222, 0, -1, -1},
                    block_access_case{"other_system_fewer_blocks", 0xFE00, 0x1009, 8, -1, -1},
                    block_access_case{"wildcard_poll_selects_fe00", 0xFEFF, 0x100B, 0, -1, -1}),
    [](const auto& info) { return info.param.name; });

TEST_F(emulated_reader_story, a_card_taken_off_after_the_poll_does_not_answer) {
  ASSERT_EQ(portelia_card("put 012E000AFF109B7C"), 0);
  reader_ptr bound(reader_open());
  ASSERT_NE(bound, nullptr);
  ASSERT_EQ(reader_connect(bound.get()), 0);
  card_ptr polled(card_poll(bound.get(), 0xFFFF, 0));
  ASSERT_NE(polled, nullptr);
  ASSERT_EQ(portelia_card("put 0102030405060708"), 0);  // another card now
  uint8_t data[16] = {};
  EXPECT_EQ(card_read_block(polled.get(), 0x1009, 0, data), -1);
  EXPECT_EQ(card_poll(bound.get(), 0x1234, 0), nullptr);  // a system it lacks
}

}  // namespace
