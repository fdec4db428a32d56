// GBK <-> UTF-8 through the Windows code-page functions: exact round trips, and failure instead of
// a lost or guessed character.
#include "runtime/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace vexlo {
namespace {

std::string utf8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

TEST(WindowsCodePage, ConvertsBothWaysExactly) {
  struct Case {
    std::string gbk;
    std::string utf8;
  };
  const Case cases[] = {
      {"", ""},
      {"abc 123", "abc 123"},
      {"用户积分", utf8(u8"用户积分")},
      {"乗亅乚乕", utf8(u8"乗亅乚乕")},  // trail bytes 0x5C 0x7C 0x5D 0x5B
      {"：，", utf8(u8"：，")},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8) << c.utf8;
    EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk) << c.utf8;
  }
}

TEST(WindowsCodePage, RefusesWhatItCannotConvertExactly) {
  const std::string badGbk[] = {"ab\xB1", "\x81\x7F", "a\xB1 b", "\x81\x30\x81\x30"};
  for (const std::string& text : badGbk) EXPECT_EQ(gbkToUtf8(text), std::nullopt) << text;

  const std::string badUtf8[] = {
      "\xC3",              // cut sequence
      "\xC0\xAF",          // overlong "/"
      "\xED\xA0\x80",      // encoded surrogate
      utf8(u8"\U0001F600"),  // no GBK form
      utf8(u8"À"),         // GBK has only lowercase accented letters: no best fit to "A"
  };
  for (const std::string& text : badUtf8) EXPECT_EQ(utf8ToGbk(text), std::nullopt) << text;
}

}  // namespace
}  // namespace vexlo
