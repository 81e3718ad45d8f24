// The reader layer: binds the card reader library, connects to the reader,
// polls for a card, reads its identifiers, lists its directory and reads or
// writes single blocks without encryption.
//
// `reader` and `card` are heap records owned by the caller and given back
// through reader_close and card_free; nothing outside this layer looks inside
// them. Failure is reported by the result, never thrown.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win32.h"
#include "reader/reader_library.h"

// One bound reader library.
struct reader {
  HMODULE module;
  // The entry points, looked up by name; reader_open binds no library that
  // lacks one of them.
  initialize_library_fn initialize_library;
  dispose_library_fn dispose_library;
  open_reader_writer_auto_fn open_reader_writer_auto;
  close_reader_writer_fn close_reader_writer;
  polling_and_get_card_information_fn polling_and_get_card_information;
  polling_and_request_system_code_fn polling_and_request_system_code;
  polling_and_search_service_code_fn polling_and_search_service_code;
  read_block_without_encryption_fn read_block_without_encryption;
  write_block_without_encryption_fn write_block_without_encryption;
};

// Room in a card's code lists.
constexpr int card_system_code_room = 8;
constexpr int card_area_room = 16;
constexpr int card_service_room = 256;

// One card that answered a poll. Codes are stored as they travel: a system
// code high byte first, area, end service and service codes low byte first.
struct card {
  ::reader* reader;  // the binding it was polled through; not owned
  uint8_t system_code[2];
  uint8_t idm[8];
  uint8_t pmm[8];
  uint8_t system_code_count;
  uint8_t system_codes[card_system_code_room][2];
  uint8_t area_count;
  uint8_t area_codes[card_area_room][2];
  uint8_t end_service_codes[card_area_room][2];
  uint16_t service_count;  // 0 to 256: a full list of 256 is not read as empty
  uint8_t service_codes[card_service_room][2];
};

// Binds the reader library: loads it, looks up its entry points and
// initialises it. nullptr when it can not be found or loaded, lacks an entry
// point, fails to initialise, or memory runs out; then nothing stays loaded
// or allocated.
reader* reader_open();

// Opens the reader attached to the machine: 0 when one was opened, -1 when
// not. The binding stays usable either way.
int reader_connect(reader* bound);

// Disposes of the library, unloads it and releases the record. Every card
// polled through it must have been released before.
void reader_close(reader* bound);

// A zero-filled card of `bound` that asks for `system_code`; nullptr when
// memory runs out.
card* card_new(reader* bound, uint16_t system_code);

// Polls once for a card of `system_code` (0xFFFF: any system) in `time_slot`.
// The card that answered with its IDm and PMm, or nullptr when none did or
// the library failed; nothing stays allocated then.
card* card_poll(reader* bound, uint16_t system_code, uint8_t time_slot);

// Releases a card; nullptr is ignored.
void card_free(card* polled);

// Copy the card's 8-byte IDm or PMm to `destination`, with no terminator.
void card_copy_idm(const card* polled, uint8_t* destination);
void card_copy_pmm(const card* polled, uint8_t* destination);

// One whole cycle: binds the library, connects, polls for any system,
// releases everything. With a card, writes its IDm as 16 upper-case hex
// digits and a terminator to `text` (room for 17 bytes) and returns 16;
// with none, writes "ERROR000000" and returns 0, bytes after the terminator
// untouched. When the library can not be bound, writes
// "PaSoRi open failed.\n" to standard error and ends the process with 1.
int read_card_idm(char* text);

// Polls for any system and asks the card for its system codes. A new card
// with IDm, PMm, system_code_count (at most 8; codes past the room are not
// kept) and system_codes, or nullptr when the library failed.
card* card_list_system_codes(reader* bound);

// Polls for `system_code` and asks the card for its areas and services.
// A new card with IDm, PMm, area_count, area_codes, end_service_codes,
// service_count and service_codes (counts never above the room), or nullptr
// when the library failed.
card* card_list_services(reader* bound, uint16_t system_code);

// Reads block `block` of the service `service_code` of `polled` into
// `data` (16 bytes): 0 when read, -1 when the library failed or the card
// refused. Does not poll: `polled` comes from a binding that is still open.
int card_read_block(const card* polled, uint16_t service_code, uint8_t block, uint8_t* data);

// Writes 16 bytes of `data` to block `block` of the service `service_code`:
// 0 when the card accepted the write, -1 otherwise. Does not poll.
int card_write_block(const card* polled, uint16_t service_code, uint8_t block, const uint8_t* data);

// Owners that give a record back through its matching operation.
struct reader_closer {
  void operator()(reader* bound) const { reader_close(bound); }
};
struct card_freer {
  void operator()(card* polled) const { card_free(polled); }
};
using reader_ptr = std::unique_ptr<reader, reader_closer>;
using card_ptr = std::unique_ptr<card, card_freer>;
