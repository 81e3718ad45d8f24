// The stand-in library's entry points, called as the reader layer calls
// them, on the emulated reader.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "reader/reader_library.h"
#include "readerlib/state_file.h"

namespace {

template <typename Function>
Function entry(void* module, const char* name) {
  return reinterpret_cast<Function>(dlsym(module, name));
}

class stand_in_library : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::filesystem::temp_directory_path() / "portelia-entry-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    path = folder + "/reader.state";
    setenv("PORTELIA_EMULATED_READER", path.c_str(), 1);
    unsetenv("PORTELIA_READER");
    emulated_reader state{default_card(idm, default_pmm)};
    state.card->systems[0].services[0].blocks[3].fill(0x33);
    state.card->systems[0].services[0].blocks[12].fill(0x44);
    state.card->systems[0].services.push_back({0x1008, {block_bytes{}}});  // needs a key
    ASSERT_TRUE(save_emulated_reader(path, state, nullptr));

    module = dlopen(EMULATED_READER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr);
    initialize = entry<initialize_library_fn>(module, "initialize_library");
    dispose = entry<dispose_library_fn>(module, "dispose_library");
    open = entry<open_reader_writer_auto_fn>(module, "open_reader_writer_auto");
    poll = entry<polling_and_get_card_information_fn>(module, "polling_and_get_card_information");
    search = entry<polling_and_search_service_code_fn>(module, "polling_and_search_service_code");
    read = entry<read_block_without_encryption_fn>(module, "read_block_without_encryption");
    write = entry<write_block_without_encryption_fn>(module, "write_block_without_encryption");
  }
  void TearDown() override {
    if (module) {
      dispose();
      dlclose(module);
    }
    unsetenv("PORTELIA_EMULATED_READER");
    unsetenv("PORTELIA_READER");
    std::filesystem::remove_all(folder);
  }

  void bind() {
    ASSERT_EQ(initialize(), 1);
    ASSERT_EQ(open(), 1);
  }

  // Polls for any system; the card's IDm lands in polled_idm.
  int poll_any_system(uint8_t* number_of_cards) {
    uint8_t system_code[2] = {0xFF, 0xFF};
    uint8_t card_pmm[8];
    polling_parameters polling{system_code, 0};
    card_information information{polled_idm, card_pmm};
    return poll(&polling, number_of_cards, &information);
  }

  // Reads with the block-list bytes given; the library's result.
  int read_blocks(std::vector<uint8_t> services, uint8_t block_count, std::vector<uint8_t> blocks) {
    uint8_t card_idm[8];
    std::memcpy(card_idm, idm.data(), 8);
    block_read_parameters parameters{card_idm, static_cast<uint8_t>(services.size() / 2),
                                     services.data(), block_count, blocks.data()};
    block_read_result result{&status_flag_1, &status_flag_2, &blocks_read, data};
    return read(&parameters, &result);
  }

  const card_identifier idm = {0x01, 0x2E, 0x00, 0x0A, 0xFF, 0x10, 0x9B, 0x7C};
  std::string folder;
  std::string path;
  void* module = nullptr;
  initialize_library_fn initialize;
  dispose_library_fn dispose;
  open_reader_writer_auto_fn open;
  polling_and_get_card_information_fn poll;
  polling_and_search_service_code_fn search;
  read_block_without_encryption_fn read;
  write_block_without_encryption_fn write;
  uint8_t status_flag_1 = 0xEE;
  uint8_t status_flag_2 = 0xEE;
  uint8_t blocks_read = 0xEE;
  uint8_t data[16 * 16] = {};
  uint8_t polled_idm[8] = {};
};

TEST_F(stand_in_library, does_nothing_before_it_is_initialised) {
  EXPECT_EQ(open(), 0);
  uint8_t number_of_cards = 9;
  EXPECT_EQ(poll_any_system(&number_of_cards), 0);
  EXPECT_EQ(number_of_cards, 0);
}

TEST_F(stand_in_library, an_unknown_reader_kind_fails_to_initialise) {
  setenv("PORTELIA_READER", "no-such-reader", 1);
  EXPECT_EQ(initialize(), 0);
  setenv("PORTELIA_READER", "emulated", 1);
  EXPECT_EQ(initialize(), 1);
}

TEST_F(stand_in_library, a_pcsc_reader_with_no_reader_service_opens_nothing) {
  setenv("PORTELIA_READER", "pcsc", 1);
  if (initialize() == 0) GTEST_SKIP() << "built without PC/SC";
  if (open() != 0) GTEST_SKIP() << "a PC/SC reader is attached";
  uint8_t number_of_cards = 9;
  EXPECT_EQ(poll_any_system(&number_of_cards), 0);
  EXPECT_EQ(number_of_cards, 0);
  EXPECT_EQ(dispose(), 1);
}

TEST_F(stand_in_library, a_poll_needs_an_open_reader) {
  ASSERT_EQ(initialize(), 1);
  uint8_t number_of_cards = 0;
  EXPECT_EQ(poll_any_system(&number_of_cards), 0);
  ASSERT_EQ(open(), 1);
  EXPECT_EQ(poll_any_system(&number_of_cards), 1);
  EXPECT_EQ(number_of_cards, 1);
  EXPECT_EQ(std::memcmp(polled_idm, idm.data(), 8), 0);
}

TEST_F(stand_in_library, the_directory_is_written_only_up_to_the_room_given) {
  bind();
  uint8_t system_code[2] = {0x12, 0xFC};
  uint8_t card_idm[8], card_pmm[8];
  uint8_t services[3][2];
  uint8_t areas[1][2];
  uint8_t ends[1][2];
  std::memset(services, 0xEE, sizeof services);
  std::memset(areas, 0xEE, sizeof areas);
  polling_parameters polling{system_code, 0};
  card_information information{card_idm, card_pmm};
  service_search_parameters room{0, 1, 0};
  service_search_result result{10, &services[0][0], 10, &areas[0][0], &ends[0][0]};
  ASSERT_EQ(search(&polling, &room, &information, &result), 1);
  EXPECT_EQ(result.area_count, 0u);
  EXPECT_EQ(result.service_count, 1u);
  EXPECT_EQ(services[0][0], 0x09);
  EXPECT_EQ(services[0][1], 0x10);
  EXPECT_EQ(services[1][0], 0xEE);
  EXPECT_EQ(areas[0][0], 0xEE);
}

TEST_F(stand_in_library, reads_several_blocks_with_two_and_three_byte_elements) {
  bind();
  // Service 0x1009 twice; block 3 by a two-byte element, block 12 by a
  // three-byte one through the second entry.
  ASSERT_EQ(read_blocks({0x09, 0x10, 0x09, 0x10}, 2, {0x80, 0x03, 0x01, 0x0C, 0x00}), 1);
  EXPECT_EQ(status_flag_1, 0);
  EXPECT_EQ(status_flag_2, 0);
  EXPECT_EQ(blocks_read, 2);
  EXPECT_EQ(data[0], 0x33);
  EXPECT_EQ(data[16], 0x44);
}

struct refusal_case {
  const char* name;
  std::vector<uint8_t> services;
  uint8_t block_count;
  std::vector<uint8_t> blocks;
  uint8_t status_flag_1;
  uint8_t status_flag_2;
};
void PrintTo(const refusal_case& c, std::ostream* out) { *out << c.name; }

class stand_in_refusals : public stand_in_library,
                          public testing::WithParamInterface<refusal_case> {};

TEST_P(stand_in_refusals, answer_with_status_flags_and_no_data) {
  bind();
  const refusal_case& c = GetParam();
  std::vector<uint8_t> blocks = c.blocks;
  blocks.resize(64);
  ASSERT_EQ(read_blocks(c.services, c.block_count, blocks), 1);
  EXPECT_EQ(status_flag_1, c.status_flag_1);
  EXPECT_EQ(status_flag_2, c.status_flag_2);
  EXPECT_EQ(blocks_read, 0);
  EXPECT_EQ(data[0], 0);
}

INSTANTIATE_TEST_SUITE_P(
    cases, stand_in_refusals,
    testing::Values(refusal_case{"unknown_service", {0x22, 0x22}, 1, {0x80, 0x00}, 1, 0xA6},
                    refusal_case{"service_needing_a_key", {0x08, 0x10}, 1, {0x80, 0x00}, 1, 0xA5},
                    refusal_case{"no_such_list_entry", {0x09, 0x10}, 1, {0x81, 0x00}, 1, 0xA8},
                    refusal_case{"past_the_last_block", {0x09, 0x10}, 2, {0x80, 0x03, 0x80, 0x10}, 2, 0xA8},
                    refusal_case{"no_services", {}, 1, {0x80, 0x00}, 0xFF, 0xA1},
                    refusal_case{"too_many_blocks", {0x09, 0x10}, 16, {}, 0xFF, 0xA2}),
    [](const auto& info) { return info.param.name; });

TEST_F(stand_in_library, a_write_to_a_read_only_service_is_refused_and_changes_nothing) {
  bind();
  std::string before = *read_emulated_reader_text(path);
  uint8_t card_idm[8];
  std::memcpy(card_idm, idm.data(), 8);
  uint8_t services[2] = {0x0B, 0x10};
  uint8_t blocks[2] = {0x80, 0x00};
  uint8_t written[16] = {1, 2, 3};
  block_write_parameters parameters{card_idm, 1, services, 1, blocks, written};
  block_write_result result{&status_flag_1, &status_flag_2};
  ASSERT_EQ(write(&parameters, &result), 1);
  EXPECT_EQ(status_flag_1, 1);
  EXPECT_EQ(status_flag_2, 0xA5);
  EXPECT_EQ(*read_emulated_reader_text(path), before);
}

TEST_F(stand_in_library, a_card_addressed_by_another_idm_does_not_answer) {
  bind();
  uint8_t other_idm[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  uint8_t services[2] = {0x09, 0x10};
  uint8_t blocks[2] = {0x80, 0x00};
  block_read_parameters parameters{other_idm, 1, services, 1, blocks};
  block_read_result result{&status_flag_1, &status_flag_2, &blocks_read, data};
  EXPECT_EQ(read(&parameters, &result), 0);
  EXPECT_EQ(status_flag_1, 0xEE);
}

TEST_F(stand_in_library, missing_records_are_a_failure_not_a_crash) {
  bind();
  uint8_t number_of_cards = 0;
  EXPECT_EQ(poll(nullptr, &number_of_cards, nullptr), 0);
  EXPECT_EQ(poll(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(search(nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(read(nullptr, nullptr), 0);
  EXPECT_EQ(write(nullptr, nullptr), 0);
}

}  // namespace
