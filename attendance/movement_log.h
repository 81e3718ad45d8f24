// The movement log in_out.txt: one Shift-JIS line per movement,
// "<time stamp> <direction label> <name>" CR LF, append-only. The clock never
// reads it.
#pragma once
#include <cstdint>

// The direction label of a presence state: "in__入室" for 1, "out_退室" for 0.
// Both are 8 bytes in Shift-JIS.
const char* direction_label(int32_t state);

// Appends the line of one movement to in_out.txt (created when missing) in one
// write. Returns the log's length before the line, or -1 when the line could
// not be written whole; then nothing of it remains in the log.
int64_t log_append(const char* stamp, int32_t state, const char* name);

// Takes back the line that log_append added at `length`.
void log_unappend(int64_t length);
