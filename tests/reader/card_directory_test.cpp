// Listing a card's system codes, areas and services, against the recording fake.
#include <gtest/gtest.h>

#include "reader/reader.h"
#include "tests/reader/fake_library_script.h"
#include "tests/reader/bound_fake_reader.h"

namespace {

class card_directory : public bound_fake_reader {};

uint16_t code_at(const uint8_t (&bytes)[2]) {
  return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

TEST_F(card_directory, system_codes_are_asked_of_any_system_for_the_polled_card) {
  script.system_code_count = 2;
  script.system_codes_written = 2;
  card_ptr listed(card_list_system_codes(bound.get()));
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(script.polled_system_code[0], 0xFF);
  EXPECT_EQ(script.polled_system_code[1], 0xFF);
  EXPECT_EQ(script.polling.time_slot, 0);
  EXPECT_EQ(script.system_code_request.idm, listed->idm);
  EXPECT_EQ(script.information.idm, listed->idm);
  EXPECT_EQ(script.information.pmm, listed->pmm);
  EXPECT_EQ(listed->idm[0], 0x01);
  EXPECT_EQ(listed->pmm[0], 0x03);
}

struct system_code_case {
  const char* name;
  uint32_t reported;
  int written;
  int expected;
};
void PrintTo(const system_code_case& c, std::ostream* out) { *out << c.name; }

class system_code_counts : public card_directory,
                           public testing::WithParamInterface<system_code_case> {};

TEST_P(system_code_counts, keep_the_low_byte_and_never_more_than_the_room) {
  script.system_code_count = GetParam().reported;
  script.system_codes_written = GetParam().written;
  card_ptr listed(card_list_system_codes(bound.get()));
  ASSERT_NE(listed, nullptr);
  ASSERT_EQ(listed->system_code_count, GetParam().expected);
  for (int i = 0; i < GetParam().expected; ++i) EXPECT_EQ(code_at(listed->system_codes[i]), 0x1000 + i);
  // Codes past the room touch nothing else in the card.
  EXPECT_EQ(listed->area_count, 0);
  EXPECT_EQ(code_at(listed->area_codes[0]), 0);
  EXPECT_EQ(listed->service_count, 0);
}

INSTANTIATE_TEST_SUITE_P(cases, system_code_counts,
                         testing::Values(system_code_case{"two", 2, 2, 2},
                                         system_code_case{"upper_bytes_ignored", 0x7F0003, 3, 3},
                                         system_code_case{"full", 8, 8, 8},
                                         system_code_case{"more_than_the_room", 12, 12, 8},
                                         system_code_case{"as_many_as_a_byte_counts", 255, 255, 8}),
                         [](const auto& info) { return info.param.name; });

TEST_F(card_directory, services_are_asked_with_the_room_and_the_counts_10_and_10) {
  script.area_count = 1;
  script.service_count = 3;
  script.areas_written = 1;
  script.services_written = 3;
  card_ptr listed(card_list_services(bound.get(), 0x12FC));
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(script.polled_system_code[0], 0x12);
  EXPECT_EQ(script.polled_system_code[1], 0xFC);
  EXPECT_EQ(script.polling.time_slot, 0);
  EXPECT_EQ(script.service_search.area_room, 16u);
  EXPECT_EQ(script.service_search.service_room, 256u);
  EXPECT_EQ(script.service_search.reserved, 0u);
  EXPECT_EQ(script.service_search_before.service_count, 10u);
  EXPECT_EQ(script.service_search_before.area_count, 10u);
  EXPECT_EQ(script.service_search_before.service_codes, &listed->service_codes[0][0]);
  EXPECT_EQ(script.service_search_before.area_codes, &listed->area_codes[0][0]);
  EXPECT_EQ(script.service_search_before.end_service_codes, &listed->end_service_codes[0][0]);
  EXPECT_EQ(script.information.idm, listed->idm);

  EXPECT_EQ(listed->system_code[0], 0x12);
  EXPECT_EQ(listed->system_code[1], 0xFC);
  EXPECT_EQ(listed->area_count, 1);
  EXPECT_EQ(code_at(listed->area_codes[0]), 0x2000);
  EXPECT_EQ(code_at(listed->end_service_codes[0]), 0x3000);
  EXPECT_EQ(listed->service_count, 3);
  EXPECT_EQ(code_at(listed->service_codes[2]), 0x4002);
  EXPECT_EQ(listed->system_code_count, 0);
}

struct service_count_case {
  const char* name;
  uint32_t areas_reported;
  uint32_t services_reported;
  int areas_expected;
  int services_expected;
};
void PrintTo(const service_count_case& c, std::ostream* out) { *out << c.name; }

class service_counts : public card_directory,
                       public testing::WithParamInterface<service_count_case> {};

TEST_P(service_counts, are_never_taken_above_the_room) {
  const service_count_case& c = GetParam();
  script.area_count = c.areas_reported;
  script.service_count = c.services_reported;
  script.areas_written = c.areas_expected;
  script.services_written = c.services_expected;
  card_ptr listed(card_list_services(bound.get(), 0xFE00));
  ASSERT_NE(listed, nullptr);
  EXPECT_EQ(listed->area_count, c.areas_expected);
  EXPECT_EQ(listed->service_count, c.services_expected);
}

INSTANTIATE_TEST_SUITE_P(
    cases, service_counts,
    testing::Values(service_count_case{"none", 0, 0, 0, 0},
                    service_count_case{"full_rooms", 16, 256, 16, 256},
                    service_count_case{"past_the_rooms", 40, 1000, 16, 256}),
    [](const auto& info) { return info.param.name; });

TEST_F(card_directory, a_failed_list_call_gives_nothing_and_leaves_nothing_allocated) {
  script.result[fake_system_codes] = 0;
  script.result[fake_services] = 0;
  long before = live_allocations();
  EXPECT_EQ(card_list_system_codes(bound.get()), nullptr);
  EXPECT_EQ(card_list_services(bound.get(), 0x12FC), nullptr);
  EXPECT_EQ(live_allocations(), before);
}

}  // namespace
