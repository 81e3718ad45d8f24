#include "attendance/text_scan.h"

bool parse_decimal(const char* begin, const char* end, int64_t min, int64_t max,
                   int64_t* value) {
  bool negative = false;
  if (begin != end && (*begin == '+' || *begin == '-')) {
    negative = *begin == '-';
    ++begin;
  }
  if (begin == end) return false;
  // Accumulate towards the sign so that the most negative value fits.
  int64_t number = 0;
  for (const char* p = begin; p != end; ++p) {
    if (*p < '0' || *p > '9') return false;
    const int digit = *p - '0';
    if (negative) {
      if (number < (min + digit) / 10) return false;
      number = number * 10 - digit;
      if (number < min) return false;
    } else {
      if (number > (max - digit) / 10) return false;
      number = number * 10 + digit;
      if (number > max) return false;
    }
  }
  *value = number;
  return true;
}
