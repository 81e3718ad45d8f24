// The card record and polling for a card.
#include <cstring>
#include <new>

#include "reader/reader.h"

card* card_new(reader* bound, uint16_t system_code) {
  card* fresh = new (std::nothrow) card{};
  if (fresh == nullptr) return nullptr;
  fresh->reader = bound;
  fresh->system_code[0] = static_cast<uint8_t>(system_code >> 8);
  fresh->system_code[1] = static_cast<uint8_t>(system_code & 0xFF);
  return fresh;
}

card* card_poll(reader* bound, uint16_t system_code, uint8_t time_slot) {
  card_ptr polled(card_new(bound, system_code));
  if (!polled) return nullptr;

  polling_parameters polling{polled->system_code, time_slot};
  uint8_t number_of_cards = 0;
  card_information information{polled->idm, polled->pmm};
  int result = bound->polling_and_get_card_information(&polling, &number_of_cards, &information);
  if (result == 0 || number_of_cards == 0) return nullptr;
  return polled.release();
}

void card_free(card* polled) {
  delete polled;
}

void card_copy_idm(const card* polled, uint8_t* destination) {
  std::memcpy(destination, polled->idm, sizeof polled->idm);
}

void card_copy_pmm(const card* polled, uint8_t* destination) {
  std::memcpy(destination, polled->pmm, sizeof polled->pmm);
}
