// The emulated reader's state and its text form.
#include <gtest/gtest.h>

#include "readerlib/emulated_card.h"

namespace {

const card_identifier some_idm = {0x01, 0x2E, 0x00, 0x0A, 0xFF, 0x10, 0x9B, 0x7C};

TEST(emulated_reader_text, an_empty_reader_is_the_header_alone) {
  EXPECT_EQ(format_emulated_reader({}), "# portelia emulated card reader\r\n");
  std::optional<emulated_reader> parsed = parse_emulated_reader("", nullptr);
  ASSERT_TRUE(parsed);
  EXPECT_FALSE(parsed->card);
}

TEST(emulated_reader_text, a_card_with_written_blocks_reads_back_the_same) {
  emulated_reader state{default_card(some_idm, default_pmm)};
  state.card->systems[0].services[0].blocks[5][0] = 0xAB;
  state.card->systems[1].services[0].blocks[7][15] = 0x01;
  std::string text = format_emulated_reader(state);
  EXPECT_NE(text.find("card=012E000AFF109B7C\r\npmm=0100000000000000\r\n"), std::string::npos);
  EXPECT_NE(text.find("block=1009 5 AB000000000000000000000000000000\r\n"), std::string::npos);

  std::string error;
  std::optional<emulated_reader> parsed = parse_emulated_reader(text, &error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_EQ(format_emulated_reader(*parsed), text);
  EXPECT_EQ(parsed->card->systems[1].services[0].blocks[7][15], 0x01);
}

TEST(emulated_reader_text, is_read_with_plain_line_ends_lower_case_and_comments) {
  std::string error;
  std::optional<emulated_reader> parsed = parse_emulated_reader(
      "# a card by hand\ncard=012e000aff109b7c\n\nsystem=12fc\nservice=1009 2\n"
      "block=1009 1 00112233445566778899aabbccddeeff\n",
      &error);
  ASSERT_TRUE(parsed) << error;
  ASSERT_TRUE(parsed->card);
  EXPECT_EQ(parsed->card->idm, some_idm);
  EXPECT_EQ(parsed->card->pmm, default_pmm);
  EXPECT_EQ(parsed->card->systems[0].code, 0x12FC);
  EXPECT_EQ(parsed->card->systems[0].services[0].blocks[1][15], 0xFF);
}

struct bad_text_case {
  const char* name;
  std::string text;
  const char* error;
};
void PrintTo(const bad_text_case& c, std::ostream* out) { *out << c.name; }

class bad_emulated_reader_text : public testing::TestWithParam<bad_text_case> {};

TEST_P(bad_emulated_reader_text, is_refused_naming_the_line) {
  std::string error;
  EXPECT_FALSE(parse_emulated_reader(GetParam().text, &error));
  EXPECT_EQ(error, GetParam().error);
}

const std::string card_line = "card=012E000AFF109B7C\r\n";
const std::string system_line = "system=12FC\r\n";

std::string seventeen_systems() {
  std::string text = card_line;
  for (int i = 0; i < 17; ++i) text += system_line;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    cases, bad_emulated_reader_text,
    testing::Values(
        bad_text_case{"no_equals", "card\r\n", "line 1: expected key=value"},
        bad_text_case{"unknown_key", "colour=red\r\n", "line 1: unknown key"},
        bad_text_case{"short_idm", "card=012E\r\n", "line 1: card= takes an IDm of 16 hex digits"},
        bad_text_case{"not_hex", "card=012E000AFF109B7G\r\n", "line 1: card= takes an IDm of 16 hex digits"},
        bad_text_case{"two_cards", card_line + card_line, "line 2: a second card"},
        bad_text_case{"pmm_first", "pmm=0100000000000000\r\n", "line 1: pmm= before card="},
        bad_text_case{"system_first", system_line, "line 1: system= before card="},
        bad_text_case{"service_first", card_line + "service=1009 1\r\n", "line 2: service= before system="},
        bad_text_case{"no_blocks", card_line + system_line + "service=1009 0\r\n",
                      "line 3: service= takes a code of 4 hex digits and 1 to 256 blocks"},
        bad_text_case{"too_many_blocks", card_line + system_line + "service=1009 257\r\n",
                      "line 3: service= takes a code of 4 hex digits and 1 to 256 blocks"},
        bad_text_case{"service_twice", card_line + system_line + "service=1009 1\r\nservice=1009 1\r\n",
                      "line 4: a service listed twice"},
        bad_text_case{"block_of_unknown_service",
                      card_line + system_line + "block=1009 0 00000000000000000000000000000000\r\n",
                      "line 3: block= of a service not listed before"},
        bad_text_case{"block_past_the_end",
                      card_line + system_line + "service=1009 2\r\nblock=1009 2 00000000000000000000000000000000\r\n",
                      "line 4: block number past the service's blocks"},
        bad_text_case{"short_block", card_line + system_line + "service=1009 2\r\nblock=1009 1 00\r\n",
                      "line 4: block= takes a service code, a block number and 32 hex digits"},
        bad_text_case{"negative_block", card_line + system_line + "service=1009 2\r\nblock=1009 -1 00000000000000000000000000000000\r\n",
                      "line 4: block= takes a service code, a block number and 32 hex digits"},
        bad_text_case{"area_with_one_code", card_line + system_line + "area=0000\r\n",
                      "line 3: area= takes two codes of 4 hex digits"},
        bad_text_case{"too_many_systems", seventeen_systems(), "line 18: more than 16 systems"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
