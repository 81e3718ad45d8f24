// What the recording fake reader library answers, and what it saw. The
// script lives in the test program (which exports fake_library()), so it
// outlives every load and unload of the fake library.
#pragma once

#include <cstdint>

#include "reader/reader_library.h"

enum fake_entry {
  fake_initialize,
  fake_dispose,
  fake_open,
  fake_close,
  fake_poll,
  fake_system_codes,
  fake_services,
  fake_read,
  fake_write,
  fake_entry_count
};

struct fake_library_script {
  // The answers.
  int result[fake_entry_count];  // each entry point's result
  uint8_t number_of_cards;       // written by a poll
  uint8_t idm[8];                // written by every poll
  uint8_t pmm[8];
  uint32_t system_code_count;    // the count to report
  int system_codes_written;      // codes to write, from 0x1000 upwards
  uint32_t area_count;           // the counts to report
  uint32_t service_count;
  int areas_written;             // codes to write, from 0x2000 and 0x3000 upwards
  int services_written;          // codes to write, from 0x4000 upwards
  bool write_status_flags;       // false: leave both flags as they were
  uint8_t status_flag_1;
  uint8_t status_flag_2;
  uint8_t block_data[16];        // what a read gives

  // What it saw.
  int calls[fake_entry_count];
  fake_entry order[64];
  int order_length;
  polling_parameters polling;       // the last record as given
  uint8_t polled_system_code[2];    // the bytes it referred to
  uint8_t number_of_cards_before;
  card_information information;
  system_code_parameters system_code_request;
  system_code_result system_code_answer_before;
  service_search_parameters service_search;
  service_search_result service_search_before;
  block_read_parameters read_request;
  block_write_parameters write_request;
  uint8_t block_idm[8];             // bytes behind the last block request's references
  uint8_t block_service_codes[2];
  uint8_t block_list[2];
  uint8_t blocks_read_before;
  uint8_t written_data[16];
};

// Defined in the test program.
extern "C" fake_library_script* fake_library();

// A script where every call succeeds and one card answers.
void reset_fake_library();
