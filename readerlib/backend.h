// The seam between the library's entry points and what drives a reader.
// The entry points translate the caller's records; a backend talks to one
// kind of reader (so far the emulated one) in plain values.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "readerlib/emulated_card.h"

struct polled_card {
  card_identifier idm;
  card_identifier pmm;
};

struct card_directory {
  std::vector<uint16_t> area_codes;
  std::vector<uint16_t> end_service_codes;  // one per area
  std::vector<uint16_t> service_codes;
};

// One element of a block list: which entry of the service list, which block.
struct block_element {
  uint8_t service_index;
  uint16_t block;
};

// A read or write without encryption addressed to one card.
struct block_request {
  card_identifier idm;
  std::vector<uint16_t> service_codes;
  std::vector<block_element> blocks;
};

// The card's answer: status_flag_1 0 means accepted.
struct block_status {
  uint8_t status_flag_1;
  uint8_t status_flag_2;
};

class reader_backend {
 public:
  virtual ~reader_backend() = default;

  // Opens the attached reader; false when there is none.
  virtual bool open_reader() = 0;
  virtual void close_reader() = 0;

  // Polls for a card of `system_code` (a byte 0xFF matches any). The card
  // that answered, which then works in the system it answered for; nullopt
  // when none answered or no reader is open.
  virtual std::optional<polled_card> poll(uint16_t system_code, uint8_t time_slot) = 0;

  // The system codes of the card `idm`; nullopt when it does not answer.
  virtual std::optional<std::vector<uint16_t>> request_system_codes(const card_identifier& idm) = 0;

  // The areas and services of the system the card `idm` was polled for.
  virtual std::optional<card_directory> search_services(const card_identifier& idm) = 0;

  // Reads request.blocks into `data` (16 bytes each, written only when
  // accepted). nullopt when the card did not answer.
  virtual std::optional<block_status> read_blocks(const block_request& request, uint8_t* data) = 0;

  // Writes 16 bytes of `data` per block. nullopt when the card did not answer.
  virtual std::optional<block_status> write_blocks(const block_request& request,
                                                   const uint8_t* data) = 0;
};

// The reader the library drives: $PORTELIA_READER names it ("emulated", the
// default when unset, or "pcsc" where built with pcsc-lite). nullptr for a
// name it does not know.
std::unique_ptr<reader_backend> chosen_backend();

std::unique_ptr<reader_backend> make_emulated_backend();
std::unique_ptr<reader_backend> make_pcsc_backend();
