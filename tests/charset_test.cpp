// Program texts must reach the program as Shift-JIS bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string bytes(const char* s) { return std::string(s); }

TEST(charset, literals_are_shift_jis) {
  EXPECT_EQ(std::strlen("out_退室"), 8u);
  EXPECT_EQ(std::strlen("in__入室"), 8u);
  EXPECT_EQ(bytes("出勤者数%d人"),
            bytes("\x8F\x6F\x8B\xCE\x8E\xD2\x90\x94%d\x90\x6C"));
}

TEST(charset, trailing_backslash_byte_stays_inside_its_character) {
  // 表 is 0x95 0x5C: its second byte is the ASCII backslash.
  EXPECT_EQ(bytes("表示"), bytes("\x95\x5C\x8E\xA6"));
}

}  // namespace
