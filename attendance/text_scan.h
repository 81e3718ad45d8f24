// Reading the clock's data files: which bytes are white space, and decimal
// numbers.
#pragma once
#include <cstdint>

// White space is exactly the bytes 0x09 to 0x0D and 0x20. Bytes 0x80 to 0xFF
// never are, so a Shift-JIS character always stays inside its field.
inline bool is_blank_byte(unsigned char c) {
  return c == 0x20 || (c >= 0x09 && c <= 0x0D);
}

// Reads the whole of [begin, end) as a decimal integer with an optional sign.
// Returns false, leaving `value` alone, when the text is anything else or the
// number lies outside [min, max].
bool parse_decimal(const char* begin, const char* end, int64_t min, int64_t max,
                   int64_t* value);
