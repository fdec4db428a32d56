// Text conversions at the terminal: typed UTF-8 to GBK with a reason on failure, GBK to shown
// UTF-8 that never fails, and the line split of replies.
#include "tools/chat/chat_texts.h"

#include <gtest/gtest.h>

namespace vexlo::chat {
namespace {

// UTF-8 bytes of a u8 literal (plain literals here are GBK).
std::string utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TEST(ChatTexts, TypedLinesBecomeGbkOrSayWhy) {
  struct Case {
    std::string utf8;
    bool ok;
    std::string gbkOrReasonPart;
  };
  const Case cases[] = {
      {utf8(u8"出题"), true, "出题"},
      {"Paris", true, "Paris"},
      {"", true, ""},
      {utf8(u8"a😀b"), false, "U+1F600"},
      {"ab\xFF", false, "byte 0xFF at position 3"},
      {"\xE5\x87", false, "byte 0xE5 at position 1"},  // cut in the middle of a character
      {"\xC0\xAF", false, "not valid UTF-8"},          // an overlong "/"
      {"\xED\xA0\x80", false, "not valid UTF-8"},      // a surrogate
  };
  for (const Case& c : cases) {
    const TypedText typed = typedToGbk(c.utf8);
    EXPECT_EQ(typed.ok, c.ok) << c.utf8;
    if (c.ok) {
      EXPECT_EQ(typed.gbk, c.gbkOrReasonPart);
    } else {
      EXPECT_NE(typed.problem.find(c.gbkOrReasonPart), std::string::npos) << typed.problem;
    }
  }
}

TEST(ChatTexts, ShownTextMarksBytesGbkDoesNotDefine) {
  EXPECT_EQ(gbkToShown("答案"), utf8(u8"答案"));
  EXPECT_EQ(gbkToShown("a\x80\xFF" "b"), "a\xEF\xBF\xBD\xEF\xBF\xBD" "b");
}

TEST(ChatTexts, SplitsLinesAtEveryKindOfLineEnd) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(splitLines(""), Lines{});
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitLines("\n"), (Lines{""}));
}

}  // namespace
}  // namespace vexlo::chat
