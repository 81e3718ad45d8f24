// What one card tick needs from the outside: the card reader, the windows and
// the sound. The card tick declares and calls these; the reader layer
// (reader/), the program shell (app/) and the sound (audio/) define them at
// link time, and tests link fakes in their place. The main window travels as
// an opaque pointer (the shell's window handle).
#pragma once
#include <cstdint>

// Reads the card on the reader once. `text` holds at least 17 bytes. Returns
// 16 with the card's IDm text (16 upper-case hexadecimal digits), or 0 with
// "ERROR000000" when no card answered. Ends the process with status 1 when the
// reader library cannot be bound.
int read_card_idm(char* text);

// Runs the registration dialog modally over `owner` and returns when it
// closes. `name` is a 256-byte buffer; it then holds the name typed (at most
// 255 bytes), or is empty when the dialog was closed by its close box. Card
// ticks keep running while the dialog is open.
void ask_holder_name(void* owner, char* name);

// Adds `name` to the list of people present (the list sorts itself).
void presence_list_add(const char* name);
// Deletes the first item of the list of people present that equals `name`
// byte for byte; leaves the list alone when none does.
void presence_list_remove(const char* name);
// Returns the number of items in the list of people present.
int presence_list_count();
// Shows the head count (the number of items in the list) on the counter label.
void counter_label_update();
// Asks for a repaint of the main window's whole client area, without erasing.
void main_window_invalidate();

// Plays the feedback after a card event: `state` is the holder's new presence
// state (0 out, 1 in), or -1 when there is no entry (a cancelled
// registration). `tick_time` is the time the card was read.
void play_card_feedback(int32_t state, int64_t tick_time);

// Tells the person at the clock, in a modal message box over `main_window`,
// that a card event could not be recorded. `message` is Shift-JIS text. Card
// ticks keep running while the box is open.
void report_record_failure(void* main_window, const char* message);
