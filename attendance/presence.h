// Who is in and who is out: a movement flips a holder's presence state and is
// recorded in the state file, the movement log and the event line; at start-up
// the state files tell whom to list as present.
#pragma once
#include <cstdint>

// The presence state after a movement from `old_state`: 1 when it is even
// (negative values by the same rule), 0 when it is odd.
int32_t flipped_state(int32_t old_state);

// Records one movement of the holder of roster entry `index` at `time` (the
// time the card was read): reads the state file, flips the state, appends the
// line to in_out.txt, replaces the state file, sets the entry's `state` and
// appends the event line to `event_text`, all with one time stamp. Returns the
// new presence state (0 or 1), or -1 when in_out.txt or the state file could
// not be written; then nothing is recorded: the log, the state file, the entry
// and `event_text` stay as they were.
int32_t record_movement(int32_t index, int64_t time);

// Passes the name of every roster entry whose state file reads exactly 1 to
// `add`, in roster order. The entries' `state` fields are not set.
void presence_list_fill(void (*add)(const char* name));
