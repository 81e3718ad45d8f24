// Listing a card's system codes, and its areas and services within one system.
#include <algorithm>
#include <cstring>

#include "reader/reader.h"

namespace {

// The library is given no bound for the system codes, and a card may report
// as many as its one-byte count allows: they are received in room for all
// of them, and the card keeps the first that fit.
constexpr int system_code_answer_room = 256;

}  // namespace

card* card_list_system_codes(reader* bound) {
  card_ptr listed(card_new(bound, 0xFFFF));
  if (!listed) return nullptr;

  polling_parameters polling{listed->system_code, 0};
  system_code_parameters parameters{listed->idm};
  card_information information{listed->idm, listed->pmm};
  uint8_t answered[system_code_answer_room][2] = {};
  system_code_result result{0, &answered[0][0]};
  if (bound->polling_and_request_system_code(&polling, &parameters, &information, &result) == 0)
    return nullptr;

  int count = std::min<int>(result.system_code_count & 0xFF, card_system_code_room);
  std::memcpy(listed->system_codes, answered, static_cast<size_t>(count) * 2);
  listed->system_code_count = static_cast<uint8_t>(count);
  return listed.release();
}

card* card_list_services(reader* bound, uint16_t system_code) {
  card_ptr listed(card_new(bound, system_code));
  if (!listed) return nullptr;

  polling_parameters polling{listed->system_code, 0};
  card_information information{listed->idm, listed->pmm};
  service_search_parameters parameters{card_area_room, card_service_room, 0};
  service_search_result result{10, &listed->service_codes[0][0], 10, &listed->area_codes[0][0],
                               &listed->end_service_codes[0][0]};
  if (bound->polling_and_search_service_code(&polling, &parameters, &information, &result) == 0)
    return nullptr;

  // The counts were 10 before the call, so their upper bytes are zero unless
  // the library wrote them; a count is never taken above the room it had.
  listed->area_count = static_cast<uint8_t>(std::min<uint32_t>(result.area_count, card_area_room));
  listed->service_count =
      static_cast<uint16_t>(std::min<uint32_t>(result.service_count, card_service_room));
  return listed.release();
}
