// The spoken greeting for a time of day.
#pragma once
#include <cstdint>

// The name of the greeting wave for `time` (seconds since 1970-01-01 UTC) by
// its local hour: "oha" from 0 to 10, "konni" from 11 to 17, "konban" from 18
// to 23. A time that cannot be broken down gets "oha".
const char* greeting_for_hour(int64_t time);
