#include "tests/reader/fake_library_script.h"

#include <cstring>

namespace {

fake_library_script script;

}  // namespace

extern "C" fake_library_script* fake_library() {
  return &script;
}

void reset_fake_library() {
  std::memset(&script, 0, sizeof script);
  for (int& result : script.result) result = 1;
  script.number_of_cards = 1;
  const uint8_t idm[8] = {0x01, 0x2E, 0x00, 0x0A, 0xFF, 0x10, 0x9B, 0x7C};
  const uint8_t pmm[8] = {0x03, 0x32, 0x42, 0x82, 0x82, 0x47, 0xAA, 0xFF};
  std::memcpy(script.idm, idm, 8);
  std::memcpy(script.pmm, pmm, 8);
  script.write_status_flags = true;
}
