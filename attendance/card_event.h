// One tick of the poll timer: read the card, decide whether this is a new card
// event, find or register the card, flip its holder between in and out, and
// update what the person at the clock sees and hears.
//
// The tick reaches the outside only through card_event_ports.h and clock.h.
// It is re-entered: while a registration dialog or a message box is open,
// further ticks run in full inside it.
#pragma once
#include <cstdint>

#include "attendance/card_event_ports.h"

constexpr int last_idm_size = 1024;
constexpr int event_text_size = 8192;

// IDm text of the card whose event was handled most recently; empty at start.
// Only a card other than this one makes an event.
extern char last_idm[last_idm_size];
// Roster index of the card of the latest event; the roster count when that
// card has no entry. The main window takes the text colour from it.
extern int32_t current_index;
// The text the main window draws: the event lines of the latest card event,
// each ending in a line feed. Emptied when a card event starts.
extern char event_text[event_text_size];
// Set to 1 at the end of each card event; the paint handler clears the text
// area and sets it back to 0.
extern unsigned char repaint_pending;

// One tick: reads the card once, takes the current time once, handles a card
// event when a card answered and differs from `last_idm`, and always asks for a
// repaint. Returns 0.
int on_card_tick(void* main_window);

// The event part of a tick for the card `idm_text`, read at `tick_time`:
// empties `event_text`, remembers the card in `last_idm`, finds the card or
// offers it for registration, records the movement, updates the list of
// people present, plays the feedback, updates the head count and sets
// `repaint_pending`. When the data files cannot be written, nothing is
// recorded, the person is told through report_record_failure and the card is
// forgotten from `last_idm` so that presenting it again tries again.
void handle_card_event(void* main_window, const char* idm_text, int64_t tick_time);
