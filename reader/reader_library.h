// The reader library's interface: the records the reader layer hands to it
// and its nine entry points.
//
// Every record holds references as pointers and exists only for the length
// of one call. The vendor's library is a 32-bit Windows library, and in a
// 32-bit build the records have exactly its offsets (checked below). On
// 64-bit systems the stand-in library (readerlib/) is built with the program
// from this header and so shares the program's layout.
//
// Codes travel in FeliCa byte order: a system code high byte first, a
// service, area or end service code low byte first.
#pragma once

#include <cstddef>
#include <cstdint>

// Which system to poll, and in which time slot the card should answer.
struct polling_parameters {
  uint8_t* system_code;  // 2 bytes, high byte first; 0xFF in a byte matches any
  uint8_t time_slot;
};

// Where a polled card's identifiers go.
struct card_information {
  uint8_t* idm;  // 8 bytes
  uint8_t* pmm;  // 8 bytes
};

struct system_code_parameters {
  uint8_t* idm;  // the card's IDm, filled by the poll within the same call
};

struct system_code_result {
  uint32_t system_code_count;  // written by the library; only its low byte counts
  uint8_t* system_codes;       // receives the codes, 2 bytes each; no bound is given
};

struct service_search_parameters {
  uint32_t area_room;     // codes that area_codes and end_service_codes can hold
  uint32_t service_room;  // codes that service_codes can hold
  uint32_t reserved;      // 0
};

struct service_search_result {
  uint32_t service_count;  // set by the caller, then written by the library
  uint8_t* service_codes;
  uint32_t area_count;     // set by the caller, then written by the library
  uint8_t* area_codes;
  uint8_t* end_service_codes;  // one per area
};

struct block_read_parameters {
  uint8_t* idm;            // the addressed card
  uint8_t service_count;   // entries in service_codes
  uint8_t* service_codes;  // 2 bytes each, low byte first
  uint8_t block_count;     // entries in blocks
  uint8_t* blocks;         // block-list elements: 0x80 | service index, block number
};

struct block_write_parameters {
  uint8_t* idm;
  uint8_t service_count;
  uint8_t* service_codes;
  uint8_t block_count;
  uint8_t* blocks;
  uint8_t* block_data;  // 16 bytes per block, to write
};

struct block_read_result {
  uint8_t* status_flag_1;  // 0: the card accepted the command
  uint8_t* status_flag_2;  // the card's reason when it did not
  uint8_t* block_count;    // blocks read
  uint8_t* block_data;     // receives 16 bytes per block
};

struct block_write_result {
  uint8_t* status_flag_1;
  uint8_t* status_flag_2;
};

// The entry points, each a zero result for failure. Looked up by these names.
using initialize_library_fn = int (*)();
using dispose_library_fn = int (*)();
using open_reader_writer_auto_fn = int (*)();
using close_reader_writer_fn = int (*)();
using polling_and_get_card_information_fn = int (*)(polling_parameters*, uint8_t* number_of_cards,
                                                    card_information*);
using polling_and_request_system_code_fn = int (*)(polling_parameters*, system_code_parameters*,
                                                   card_information*, system_code_result*);
using polling_and_search_service_code_fn = int (*)(polling_parameters*, service_search_parameters*,
                                                   card_information*, service_search_result*);
using read_block_without_encryption_fn = int (*)(block_read_parameters*, block_read_result*);
using write_block_without_encryption_fn = int (*)(block_write_parameters*, block_write_result*);

// The vendor's library reads these records at fixed offsets.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(polling_parameters, system_code) == 0);
static_assert(offsetof(polling_parameters, time_slot) == 4);
static_assert(offsetof(card_information, idm) == 0);
static_assert(offsetof(card_information, pmm) == 4);
static_assert(offsetof(system_code_parameters, idm) == 0);
static_assert(offsetof(system_code_result, system_code_count) == 0);
static_assert(offsetof(system_code_result, system_codes) == 4);
static_assert(offsetof(service_search_parameters, area_room) == 0);
static_assert(offsetof(service_search_parameters, service_room) == 4);
static_assert(offsetof(service_search_parameters, reserved) == 8);
static_assert(offsetof(service_search_result, service_count) == 0);
static_assert(offsetof(service_search_result, service_codes) == 4);
static_assert(offsetof(service_search_result, area_count) == 8);
static_assert(offsetof(service_search_result, area_codes) == 12);
static_assert(offsetof(service_search_result, end_service_codes) == 16);
static_assert(offsetof(block_read_parameters, idm) == 0);
static_assert(offsetof(block_read_parameters, service_count) == 4);
static_assert(offsetof(block_read_parameters, service_codes) == 8);
static_assert(offsetof(block_read_parameters, block_count) == 12);
static_assert(offsetof(block_read_parameters, blocks) == 16);
static_assert(offsetof(block_write_parameters, idm) == 0);
static_assert(offsetof(block_write_parameters, service_count) == 4);
static_assert(offsetof(block_write_parameters, service_codes) == 8);
static_assert(offsetof(block_write_parameters, block_count) == 12);
static_assert(offsetof(block_write_parameters, blocks) == 16);
static_assert(offsetof(block_write_parameters, block_data) == 20);
static_assert(offsetof(block_read_result, status_flag_1) == 0);
static_assert(offsetof(block_read_result, status_flag_2) == 4);
static_assert(offsetof(block_read_result, block_count) == 8);
static_assert(offsetof(block_read_result, block_data) == 12);
static_assert(offsetof(block_write_result, status_flag_1) == 0);
static_assert(offsetof(block_write_result, status_flag_2) == 4);
#endif
