// The time stamp text of the movement log and the event line.
#pragma once
#include <cstdint>

constexpr int timestamp_size = 20;  // 19 characters and a zero

// Writes the local time of `time` (seconds since 1970-01-01 00:00 UTC) into
// `text` as "YYYY/MM/DD hh:mm:ss", where the year is 2000 plus the last two
// digits of the calendar year (so 1999 prints as 2099). A time that the system
// cannot break down gives "0000/00/00 00:00:00".
void format_timestamp(int64_t time, char text[timestamp_size]);
