// Checks the compile-time conversion of the fixed texts to GBK against independently known bytes,
// written as hex so that they do not pass through the same conversion.
#include "store/fixed_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vexlo {
namespace {

std::string hexOf(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    hex += kDigits[b >> 4];
    hex += kDigits[b & 0x0F];
  }
  return hex;
}

TEST(FixedTexts, AreGbkBytes) {
  struct Case {
    const char* name;
    std::string_view text;
    std::string_view hex;
  };
  const Case cases[] = {
      {"pointsSection", texts::pointsSection, "d3c3bba7bbfdb7d6"},
      {"drawCommand", texts::drawCommand, "b3f6cce2"},
      {"scoreBookTail", texts::scoreBookTail, "5c706c7567696e5c5665786c6fbbfdb7d62e696e69"},
      // Ends with the full-width "！" A3A1.
      {"privateChatReply", texts::privateChatReply, "5665786c6fd4ddb2bbd6a7b3d6cbbdc1c4cab9d3c3a3a1"},
      // Full-width "！" and "，".
      {"rightAnswerHead", texts::rightAnswerHead,
       "5b6e616d655d3abbd8b4f0d5fdc8b7a3a1bbfdb7d62b31a3ac"},
      // Full-width "！", "，" and "：".
      {"wrongAnswerHead", texts::wrongAnswerHead,
       "5b6e616d655d3abbd8b4f0b4edcef3a3a1bbfdb7d62d31a3acd5fdc8b7b4f0b0b8ceaaa3ba"},
      // Full-width "，", then a plain blank and a plain colon.
      {"pointsTail", texts::pointsTail, "b7d6a3ac20b3c9bca83a"},
      {"helpReply", texts::helpReply,
       "5665786c6fd3d0d2d4cfc2b9a6c4dcc3fcc1ee0d0a405665786c6f20b3f6cce20d0a405665786c6f20ccf8b9fd"
       "0d0a405665786c6f20c1d0b1ed0d0a405665786c6f20b7d6c0e02eb7d6c0e0d0f2bac50d0a405665786c6f20"
       "bddad0f2bac5a3acc5e4d6c3cfeed0f2bac5"},
      {"description", texts::description,
       "5665786c6f0d0a312e35b0e60d0a446f7276616e650d0ab7a2cbcdb8f1cabda3ba405665786c6f20b3f6cce2"
       "2fb4f0b0b8d0f2bac52fccf8b9fd2f303bb7a2cbcdb4f830b5c4cac7bfecbdddcab9d3c3c3fcc1eea3acb7bdb1"
       "e3d3c3bba7b6d4c3fcc1eeb5c4bfecbdddb8b4d6c628d0deb8c4290d0a405665786c6f0d0a20b3f6cce2bbf2b4"
       "f0b0b80d0a0d0a706c75676d61696e0d0a310d0abcd90d0a"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hexOf(c.text), c.hex) << c.name;
  }
}

TEST(FixedTexts, DescriptionIsTenLinesEachEndedByCrLf) {
  const std::string_view d = texts::description;
  int lines = 0;
  std::size_t begin = 0;
  while (begin < d.size()) {
    const std::size_t crlf = d.find("\r\n", begin);
    ASSERT_NE(crlf, std::string_view::npos) << "text after the last CR LF";
    EXPECT_EQ(d.substr(begin, crlf - begin).find_first_of("\r\n"), std::string_view::npos);
    ++lines;
    begin = crlf + 2;
  }
  EXPECT_EQ(lines, 10);
}

}  // namespace
}  // namespace vexlo
