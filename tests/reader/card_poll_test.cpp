// Polling for a card and the card record, against the recording fake.
#include <gtest/gtest.h>

#include <cstring>

#include "reader/reader.h"
#include "tests/reader/fake_library_script.h"
#include "tests/reader/bound_fake_reader.h"

namespace {

class card_polling : public bound_fake_reader {};

TEST_F(card_polling, a_poll_sends_the_system_code_high_byte_first_and_keeps_the_answer) {
  card_ptr polled(card_poll(bound.get(), 0x12FC, 3));
  ASSERT_NE(polled, nullptr);

  EXPECT_EQ(script.polled_system_code[0], 0x12);
  EXPECT_EQ(script.polled_system_code[1], 0xFC);
  EXPECT_EQ(script.polling.system_code, polled->system_code);
  EXPECT_EQ(script.polling.time_slot, 3);
  EXPECT_EQ(script.number_of_cards_before, 0);
  EXPECT_EQ(script.information.idm, polled->idm);
  EXPECT_EQ(script.information.pmm, polled->pmm);

  EXPECT_EQ(polled->reader, bound.get());
  EXPECT_EQ(polled->system_code[0], 0x12);
  EXPECT_EQ(polled->system_code[1], 0xFC);
  EXPECT_EQ(std::memcmp(polled->idm, script.idm, 8), 0);
  EXPECT_EQ(std::memcmp(polled->pmm, script.pmm, 8), 0);
}

TEST_F(card_polling, a_fresh_card_has_every_count_and_list_zero) {
  card_ptr polled(card_poll(bound.get(), 0xFFFF, 0));
  ASSERT_NE(polled, nullptr);
  card zero{};
  EXPECT_EQ(polled->system_code_count, 0);
  EXPECT_EQ(polled->area_count, 0);
  EXPECT_EQ(polled->service_count, 0);
  EXPECT_EQ(std::memcmp(polled->system_codes, zero.system_codes, sizeof zero.system_codes), 0);
  EXPECT_EQ(std::memcmp(polled->area_codes, zero.area_codes, sizeof zero.area_codes), 0);
  EXPECT_EQ(std::memcmp(polled->end_service_codes, zero.end_service_codes,
                        sizeof zero.end_service_codes), 0);
  EXPECT_EQ(std::memcmp(polled->service_codes, zero.service_codes, sizeof zero.service_codes), 0);
}

struct no_card_case {
  const char* name;
  int result;
  uint8_t number_of_cards;
};
void PrintTo(const no_card_case& c, std::ostream* out) { *out << c.name; }

class card_polling_without_answer : public card_polling,
                                    public testing::WithParamInterface<no_card_case> {};

TEST_P(card_polling_without_answer, gives_no_card_and_leaves_nothing_allocated) {
  script.result[fake_poll] = GetParam().result;
  script.number_of_cards = GetParam().number_of_cards;
  long before = live_allocations();
  EXPECT_EQ(card_poll(bound.get(), 0xFFFF, 0), nullptr);
  EXPECT_EQ(live_allocations(), before);
}

INSTANTIATE_TEST_SUITE_P(
    cases, card_polling_without_answer,
    testing::Values(no_card_case{"failed_call", 0, 1}, no_card_case{"success_with_no_card", 1, 0},
                    no_card_case{"failed_call_with_no_card", 0, 0}),
    [](const testing::TestParamInfo<no_card_case>& info) { return info.param.name; });

TEST_F(card_polling, the_identifiers_are_copied_as_8_bytes_with_no_terminator) {
  card_ptr polled(card_poll(bound.get(), 0xFFFF, 0));
  ASSERT_NE(polled, nullptr);
  uint8_t idm[9];
  uint8_t pmm[9];
  std::memset(idm, 0xEE, sizeof idm);
  std::memset(pmm, 0xEE, sizeof pmm);
  card_copy_idm(polled.get(), idm);
  card_copy_pmm(polled.get(), pmm);
  EXPECT_EQ(std::memcmp(idm, script.idm, 8), 0);
  EXPECT_EQ(std::memcmp(pmm, script.pmm, 8), 0);
  EXPECT_EQ(idm[8], 0xEE);
  EXPECT_EQ(pmm[8], 0xEE);
}

TEST(card_record, freeing_no_card_does_nothing) {
  card_free(nullptr);
}

TEST(card_record, a_new_card_is_zero_filled_with_its_reader_and_system_code) {
  reader* some_reader = reinterpret_cast<reader*>(0x1000);
  card_ptr fresh(card_new(some_reader, 0xFE00));
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh->reader, some_reader);
  EXPECT_EQ(fresh->system_code[0], 0xFE);
  EXPECT_EQ(fresh->system_code[1], 0x00);
  EXPECT_EQ(fresh->idm[0], 0);
  EXPECT_EQ(fresh->pmm[7], 0);
}

}  // namespace
