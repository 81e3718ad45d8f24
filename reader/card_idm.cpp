// The card identifier read that every poll-timer tick makes.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "reader/reader.h"

int read_card_idm(char* text) {
  reader_ptr bound(reader_open());
  if (!bound) {
    std::fputs("PaSoRi open failed.\n", stderr);
    std::exit(1);
  }
  // With no reader attached the poll is still made; it finds no card.
  reader_connect(bound.get());

  card_ptr polled(card_poll(bound.get(), 0xFFFF, 0));
  if (!polled) {
    std::memcpy(text, "ERROR000000", sizeof "ERROR000000");
    return 0;
  }
  const uint8_t* idm = polled->idm;
  char formatted[17];
  std::snprintf(formatted, sizeof formatted, "%02X%02X%02X%02X%02X%02X%02X%02X", idm[0], idm[1],
                idm[2], idm[3], idm[4], idm[5], idm[6], idm[7]);
  std::memcpy(text, formatted, sizeof formatted);
  return static_cast<int>(std::strlen(formatted));
}
