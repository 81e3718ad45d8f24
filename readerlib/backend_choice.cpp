// Which reader the library drives.
#include <cstdlib>
#include <string_view>

#include "readerlib/backend.h"

std::unique_ptr<reader_backend> chosen_backend() {
  const char* name = std::getenv("PORTELIA_READER");
  if (name == nullptr || *name == '\0' || std::string_view(name) == "emulated")
    return make_emulated_backend();
#ifdef PORTELIA_WITH_PCSC
  if (std::string_view(name) == "pcsc") return make_pcsc_backend();
#endif
  return nullptr;
}
