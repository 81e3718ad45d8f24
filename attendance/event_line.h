// The event line: what the main window shows of a movement.
#pragma once
#include <cstdint>

// Appends "<name> : <stamp> : <direction label>" and a lone line feed to
// `event_text` (card_event.h), after what it holds already. A line that no
// longer fits whole into `event_text` is left out, so the text always ends
// with a whole line and a zero.
void event_line(const char* name, const char* stamp, int32_t state);
