// "The current time": seconds since 1970-01-01 00:00 UTC, 64-bit so that
// dates after 2038 stay right.
//
// Defined by the program shell (app/) from the system clock, and by tests with
// a clock they set. The card tick takes it once per tick.
#pragma once
#include <cstdint>

int64_t current_time();
