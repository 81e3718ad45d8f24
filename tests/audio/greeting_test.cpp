// The greeting is chosen by the local hour of the time given.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <ctime>
#include <ostream>
#include <string>

#include "audio/greeting.h"

namespace {

struct greeting_case {
  const char* zone;  // POSIX TZ
  const char* local;
  int64_t time;
  const char* name;
};

// 2024-03-15 00:00 in Japan.
constexpr int64_t day = 1710428400;
constexpr int64_t hour = 3600;
constexpr int64_t minute = 60;

const greeting_case greeting_cases[] = {
    {"JST-9", "00:00", day, "oha"},
    {"JST-9", "00:30", day + 30 * minute, "oha"},
    {"JST-9", "10:59", day + 10 * hour + 59 * minute, "oha"},
    {"JST-9", "10:59:59", day + 11 * hour - 1, "oha"},
    {"JST-9", "11:00", day + 11 * hour, "konni"},
    {"JST-9", "17:59", day + 17 * hour + 59 * minute, "konni"},
    {"JST-9", "18:00", day + 18 * hour, "konban"},
    {"JST-9", "23:59", day + 23 * hour + 59 * minute, "konban"},
    // The same instants seen from UTC, 9 hours earlier on the clock.
    {"UTC0", "02:00 UTC (11:00 in Japan)", day + 11 * hour, "oha"},
    {"UTC0", "12:00 UTC (21:00 in Japan)", day + 21 * hour, "konni"},
    // Times past 2038 and before 1970.
    {"JST-9", "2040-06-01 18:00", 2222154000, "konban"},
    {"JST-9", "1969-12-31 20:00", -13 * hour, "konban"},
};

void PrintTo(const greeting_case& c, std::ostream* out) { *out << c.local << " " << c.zone; }

class greeting : public ::testing::TestWithParam<greeting_case> {};

TEST_P(greeting, follows_the_local_hour) {
  const greeting_case& c = GetParam();
  setenv("TZ", c.zone, 1);
  tzset();
  EXPECT_EQ(std::string(greeting_for_hour(c.time)), c.name) << c.local << " " << c.zone;
}

INSTANTIATE_TEST_SUITE_P(hours, greeting, ::testing::ValuesIn(greeting_cases));

}  // namespace
