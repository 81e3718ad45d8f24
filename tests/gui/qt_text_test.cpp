// Texts across the Qt boundary: code page 932, not plain Shift-JIS, and
// '?' for what it cannot hold, one for each UTF-16 unit as Windows does.
#include <gtest/gtest.h>

#include "platform/qt/qt_text.h"

namespace {

struct text_case {
  const char8_t* typed;  // what the person typed
  std::string sjis;      // what the program gets
};

const text_case cases[] = {
    {u8"山田太郎", "\x8E\x52\x93\x63\x91\xBE\x98\x59"},
    {u8"ｶﾅ", "\xB6\xC5"},                    // half-width katakana: one byte each
    {u8"～", "\x81\x60"},                     // the full-width tilde of code page 932
    {u8"①髙", "\x87\x40\xFB\xFC"},           // NEC and IBM extensions
    {u8"김", "?"},                            // Hangul: none in code page 932
    {u8"a😀b", "a??b"},                       // a surrogate pair: two units, two '?'
    {u8"", ""},
};

QString typed(const text_case& c) { return QString::fromUtf8(reinterpret_cast<const char*>(c.typed)); }

TEST(text_boundary, typed_text_reaches_the_program_in_code_page_932) {
  for (const text_case& c : cases) {
    SCOPED_TRACE(reinterpret_cast<const char*>(c.typed));
    EXPECT_EQ(platform::qt::to_sjis(typed(c)), c.sjis);
  }
}

TEST(text_boundary, program_text_shows_as_it_was_typed) {
  for (const text_case& c : cases) {
    if (c.sjis.find('?') != std::string::npos) continue;  // nothing to show it by
    SCOPED_TRACE(reinterpret_cast<const char*>(c.typed));
    EXPECT_EQ(platform::qt::from_sjis(c.sjis), typed(c));
  }
}

TEST(text_boundary, a_broken_double_byte_character_shows_as_a_question_mark) {
  EXPECT_EQ(platform::qt::from_sjis("A\x82"), QString::fromLatin1("A?"));
}

}  // namespace
