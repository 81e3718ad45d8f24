// Shift-JIS (code page 932) text helpers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Whether the byte starts a double-byte character.
bool sjis_lead_byte(unsigned char c);
// The longest prefix of `text` of at most `max_bytes` bytes that does not end
// inside a double-byte character.
size_t sjis_prefix_length(std::string_view text, size_t max_bytes);
// The length of `text` without its last character (0 for empty text).
size_t sjis_without_last_char(std::string_view text);
// Converts UTF-16LE code units to Shift-JIS; a character without a Shift-JIS
// form becomes '?'.
std::string utf16_to_sjis(const char16_t* text, size_t units);
// Shift-JIS to UTF-8 and back, for views that speak UTF-8; an invalid
// sequence becomes '?'.
std::string sjis_to_utf8(std::string_view text);
std::string utf8_to_sjis(std::string_view text);

}  // namespace platform
