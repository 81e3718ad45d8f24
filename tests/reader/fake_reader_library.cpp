// A reader library that records what it is given and answers from the
// script in the test program. Plain code with no state of its own, so that
// every unload really unloads it.
#include <cstring>

#include "tests/reader/fake_library_script.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

fake_library_script& seen(fake_entry entry) {
  fake_library_script& script = *fake_library();
  ++script.calls[entry];
  if (script.order_length < 64) script.order[script.order_length++] = entry;
  return script;
}

void poll_answer(fake_library_script& script, polling_parameters* polling,
                 card_information* information) {
  script.polling = *polling;
  std::memcpy(script.polled_system_code, polling->system_code, 2);
  script.information = *information;
  std::memcpy(information->idm, script.idm, 8);
  std::memcpy(information->pmm, script.pmm, 8);
}

void put_code(uint8_t* at, int code) {
  at[0] = static_cast<uint8_t>(code >> 8);
  at[1] = static_cast<uint8_t>(code & 0xFF);
}

}  // namespace

FAKE_EXPORT int initialize_library() { return seen(fake_initialize).result[fake_initialize]; }
FAKE_EXPORT int dispose_library() { return seen(fake_dispose).result[fake_dispose]; }
FAKE_EXPORT int open_reader_writer_auto() { return seen(fake_open).result[fake_open]; }
FAKE_EXPORT int close_reader_writer() { return seen(fake_close).result[fake_close]; }

FAKE_EXPORT int polling_and_get_card_information(polling_parameters* polling,
                                                 uint8_t* number_of_cards,
                                                 card_information* information) {
  fake_library_script& script = seen(fake_poll);
  script.number_of_cards_before = *number_of_cards;
  poll_answer(script, polling, information);
  *number_of_cards = script.number_of_cards;
  return script.result[fake_poll];
}

FAKE_EXPORT int polling_and_request_system_code(polling_parameters* polling,
                                                system_code_parameters* parameters,
                                                card_information* information,
                                                system_code_result* result) {
  fake_library_script& script = seen(fake_system_codes);
  script.system_code_request = *parameters;
  script.system_code_answer_before = *result;
  poll_answer(script, polling, information);
  for (int i = 0; i < script.system_codes_written; ++i)
    put_code(result->system_codes + 2 * i, 0x1000 + i);
  result->system_code_count = script.system_code_count;
  return script.result[fake_system_codes];
}

FAKE_EXPORT int polling_and_search_service_code(polling_parameters* polling,
                                                service_search_parameters* parameters,
                                                card_information* information,
                                                service_search_result* result) {
  fake_library_script& script = seen(fake_services);
  script.service_search = *parameters;
  script.service_search_before = *result;
  poll_answer(script, polling, information);
  for (int i = 0; i < script.areas_written; ++i) {
    put_code(result->area_codes + 2 * i, 0x2000 + i);
    put_code(result->end_service_codes + 2 * i, 0x3000 + i);
  }
  for (int i = 0; i < script.services_written; ++i)
    put_code(result->service_codes + 2 * i, 0x4000 + i);
  result->area_count = script.area_count;
  result->service_count = script.service_count;
  return script.result[fake_services];
}

FAKE_EXPORT int read_block_without_encryption(block_read_parameters* parameters,
                                              block_read_result* result) {
  fake_library_script& script = seen(fake_read);
  script.read_request = *parameters;
  std::memcpy(script.block_idm, parameters->idm, 8);
  std::memcpy(script.block_service_codes, parameters->service_codes, 2);
  std::memcpy(script.block_list, parameters->blocks, 2);
  script.blocks_read_before = *result->block_count;
  if (script.write_status_flags) {
    *result->status_flag_1 = script.status_flag_1;
    *result->status_flag_2 = script.status_flag_2;
  }
  if (script.result[fake_read] != 0 && script.status_flag_1 == 0) {
    std::memcpy(result->block_data, script.block_data, 16);
    *result->block_count = 1;
  }
  return script.result[fake_read];
}

FAKE_EXPORT int write_block_without_encryption(block_write_parameters* parameters,
                                               block_write_result* result) {
  fake_library_script& script = seen(fake_write);
  script.write_request = *parameters;
  std::memcpy(script.block_idm, parameters->idm, 8);
  std::memcpy(script.block_service_codes, parameters->service_codes, 2);
  std::memcpy(script.block_list, parameters->blocks, 2);
  std::memcpy(script.written_data, parameters->block_data, 16);
  if (script.write_status_flags) {
    *result->status_flag_1 = script.status_flag_1;
    *result->status_flag_2 = script.status_flag_2;
  }
  return script.result[fake_write];
}
