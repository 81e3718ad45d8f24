// The nine entry points of the stand-in reader library, by their names and
// with plain C linkage. They check and translate the caller's records and
// hand the work to the chosen backend (backend.h).
#include <algorithm>
#include <cstring>

#include "reader/reader_library.h"
#include "readerlib/backend.h"

#define READER_LIBRARY_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The backend of the current initialisation; the library's one instance.
std::unique_ptr<reader_backend> active;

uint16_t code_high_first(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}
uint16_t code_low_first(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}
void put_high_first(uint8_t* bytes, uint16_t code) {
  bytes[0] = static_cast<uint8_t>(code >> 8);
  bytes[1] = static_cast<uint8_t>(code & 0xFF);
}
void put_low_first(uint8_t* bytes, uint16_t code) {
  bytes[0] = static_cast<uint8_t>(code & 0xFF);
  bytes[1] = static_cast<uint8_t>(code >> 8);
}

// Polls as `polling` asks and writes the answering card's IDm and PMm where
// `information` points.
std::optional<polled_card> poll_into(const polling_parameters* polling,
                                     card_information* information) {
  if (!active || polling == nullptr || polling->system_code == nullptr || information == nullptr ||
      information->idm == nullptr || information->pmm == nullptr)
    return std::nullopt;
  std::optional<polled_card> card =
      active->poll(code_high_first(polling->system_code), polling->time_slot);
  if (!card) return std::nullopt;
  std::memcpy(information->idm, card->idm.data(), card->idm.size());
  std::memcpy(information->pmm, card->pmm.data(), card->pmm.size());
  return card;
}

// The request that block parameters describe. Block-list elements are two
// bytes (0x80 | service index, block) or three (service index, block low
// byte, block high byte).
std::optional<block_request> block_request_of(const uint8_t* idm, uint8_t service_count,
                                              const uint8_t* service_codes, uint8_t block_count,
                                              const uint8_t* blocks) {
  if (idm == nullptr || (service_count > 0 && service_codes == nullptr) ||
      (block_count > 0 && blocks == nullptr))
    return std::nullopt;
  block_request request;
  std::memcpy(request.idm.data(), idm, request.idm.size());
  for (int i = 0; i < service_count; ++i)
    request.service_codes.push_back(code_low_first(service_codes + 2 * i));
  const uint8_t* element = blocks;
  for (int i = 0; i < block_count; ++i) {
    uint8_t service_index = element[0] & 0x0F;
    if (element[0] & 0x80) {
      request.blocks.push_back({service_index, element[1]});
      element += 2;
    } else {
      request.blocks.push_back({service_index, static_cast<uint16_t>(element[1] | element[2] << 8)});
      element += 3;
    }
  }
  return request;
}

}  // namespace

READER_LIBRARY_EXPORT int initialize_library() {
  if (!active) active = chosen_backend();
  return active ? 1 : 0;
}

READER_LIBRARY_EXPORT int dispose_library() {
  if (!active) return 0;
  active->close_reader();
  active.reset();
  return 1;
}

READER_LIBRARY_EXPORT int open_reader_writer_auto() {
  return active && active->open_reader() ? 1 : 0;
}

READER_LIBRARY_EXPORT int close_reader_writer() {
  if (!active) return 0;
  active->close_reader();
  return 1;
}

READER_LIBRARY_EXPORT int polling_and_get_card_information(polling_parameters* polling,
                                                           uint8_t* number_of_cards,
                                                           card_information* information) {
  if (number_of_cards == nullptr) return 0;
  *number_of_cards = 0;
  if (!poll_into(polling, information)) return 0;
  *number_of_cards = 1;
  return 1;
}

READER_LIBRARY_EXPORT int polling_and_request_system_code(polling_parameters* polling,
                                                          system_code_parameters* parameters,
                                                          card_information* information,
                                                          system_code_result* result) {
  if (parameters == nullptr || result == nullptr || result->system_codes == nullptr) return 0;
  std::optional<polled_card> card = poll_into(polling, information);
  if (!card) return 0;
  std::optional<std::vector<uint16_t>> codes = active->request_system_codes(card->idm);
  if (!codes) return 0;
  // The count travels in one byte.
  size_t count = std::min<size_t>(codes->size(), 0xFF);
  for (size_t i = 0; i < count; ++i) put_high_first(result->system_codes + 2 * i, (*codes)[i]);
  result->system_code_count = static_cast<uint32_t>(count);
  return 1;
}

READER_LIBRARY_EXPORT int polling_and_search_service_code(polling_parameters* polling,
                                                          service_search_parameters* parameters,
                                                          card_information* information,
                                                          service_search_result* result) {
  if (parameters == nullptr || result == nullptr || result->service_codes == nullptr ||
      result->area_codes == nullptr || result->end_service_codes == nullptr)
    return 0;
  std::optional<polled_card> card = poll_into(polling, information);
  if (!card) return 0;
  std::optional<card_directory> directory = active->search_services(card->idm);
  if (!directory) return 0;
  size_t areas = std::min<size_t>(directory->area_codes.size(), parameters->area_room);
  size_t services = std::min<size_t>(directory->service_codes.size(), parameters->service_room);
  for (size_t i = 0; i < areas; ++i) {
    put_low_first(result->area_codes + 2 * i, directory->area_codes[i]);
    put_low_first(result->end_service_codes + 2 * i, directory->end_service_codes[i]);
  }
  for (size_t i = 0; i < services; ++i)
    put_low_first(result->service_codes + 2 * i, directory->service_codes[i]);
  result->area_count = static_cast<uint32_t>(areas);
  result->service_count = static_cast<uint32_t>(services);
  return 1;
}

READER_LIBRARY_EXPORT int read_block_without_encryption(block_read_parameters* parameters,
                                                        block_read_result* result) {
  if (!active || parameters == nullptr || result == nullptr || result->status_flag_1 == nullptr ||
      result->status_flag_2 == nullptr || result->block_count == nullptr ||
      result->block_data == nullptr)
    return 0;
  std::optional<block_request> request =
      block_request_of(parameters->idm, parameters->service_count, parameters->service_codes,
                       parameters->block_count, parameters->blocks);
  if (!request) return 0;
  std::optional<block_status> status = active->read_blocks(*request, result->block_data);
  if (!status) return 0;
  *result->status_flag_1 = status->status_flag_1;
  *result->status_flag_2 = status->status_flag_2;
  *result->block_count =
      status->status_flag_1 == 0 ? static_cast<uint8_t>(request->blocks.size()) : 0;
  return 1;
}

READER_LIBRARY_EXPORT int write_block_without_encryption(block_write_parameters* parameters,
                                                         block_write_result* result) {
  if (!active || parameters == nullptr || parameters->block_data == nullptr || result == nullptr ||
      result->status_flag_1 == nullptr || result->status_flag_2 == nullptr)
    return 0;
  std::optional<block_request> request =
      block_request_of(parameters->idm, parameters->service_count, parameters->service_codes,
                       parameters->block_count, parameters->blocks);
  if (!request) return 0;
  std::optional<block_status> status = active->write_blocks(*request, parameters->block_data);
  if (!status) return 0;
  *result->status_flag_1 = status->status_flag_1;
  *result->status_flag_2 = status->status_flag_2;
  return 1;
}
