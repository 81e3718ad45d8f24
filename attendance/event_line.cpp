#include "attendance/event_line.h"

#include <cstring>

#include "attendance/card_event.h"
#include "attendance/movement_log.h"

void event_line(const char* name, const char* stamp, int32_t state) {
  const char* parts[] = {name, " : ", stamp, " : ", direction_label(state), "\n"};
  const void* zero = std::memchr(event_text, '\0', sizeof event_text);
  if (zero == nullptr) return;
  size_t used = static_cast<size_t>(static_cast<const char*>(zero) - event_text);
  size_t needed = 0;
  for (const char* part : parts) needed += std::strlen(part);
  if (used + needed >= sizeof event_text) return;
  for (const char* part : parts) {
    const size_t size = std::strlen(part);
    std::memcpy(event_text + used, part, size);
    used += size;
  }
  event_text[used] = '\0';
}
