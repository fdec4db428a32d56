// Tests of the text operations: comparison, joining, search-and-replace and splitting, with the
// double-byte rule that keeps GBK trail bytes from matching.
#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace vexlo {
namespace {

// 亅 is the GBK pair 0x81 0x7C: its second byte is the "|" byte.
constexpr std::string_view kTrailBar = "亅";

TEST(TextOps, CompareIsByteExactAndUnsigned) {
  struct Case {
    std::string_view a, b;
    int sign;
  };
  const Case cases[] = {
      {"", "", 0},
      {"出题", "出题", 0},
      {"a", "A", 1},          // case counts
      {"a", "ab", -1},        // the text that ends first is smaller
      {"\x7f", "\x80", -1},   // bytes compare as unsigned values
      {"跳过", "出题", 1},
  };
  for (const Case& c : cases) {
    const int r = compareTexts(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
    const int back = compareTexts(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
  }
}

TEST(TextOps, ConcatJoinsInOrderAndLengthCountsBytes) {
  EXPECT_EQ(concatTexts({"", ""}), "");
  EXPECT_EQ(concatTexts({"[name]:", "", "答", "1"}), "[name]:答1");
  EXPECT_EQ(textLength("答1"), 3u);
  EXPECT_EQ(copyText("出题"), "出题");
}

TEST(TextOps, ReplaceText) {
  const std::optional<std::int32_t> none;
  struct Case {
    const char* what;
    std::string text, search, replacement;
    std::optional<std::int32_t> start, count;
    bool caseSensitive;
    std::string expected;
  };
  const Case cases[] = {
      {"quotes removed", "\"出题\"", "\"", "", none, none, true, "出题"},
      {"first ten blanks of twelve", " a  b       c  ", " ", "", none, 10, true, "abc  "},
      {"lone CR and LF stay", "a\rb\nc\r\nd\n\r", "\r\n", "", none, none, true, "a\rb\ncd\n\r"},
      {"everything removed", "\r\n\r\n", "\r\n", "", none, none, true, ""},
      {"empty text", "", "a", "b", none, none, true, ""},
      {"empty search", "abc", "", "x", none, none, true, "abc"},
      {"count 0 replaces nothing", "aaa", "a", "b", none, 0, true, "aaa"},
      {"negative count has no limit", "aaa", "a", "b", none, -1, true, "bbb"},
      {"count 1", "aaa", "a", "b", none, 1, true, "baa"},
      {"start position 2", "abcabc", "a", "x", 2, none, true, "abcxbc"},
      {"start 0 is the first byte", "abc", "a", "x", 0, none, true, "xbc"},
      {"lowest start", "abc", "a", "x", INT32_MIN, none, true, "xbc"},
      {"start past the end", "abc", "c", "x", 4, none, true, "abc"},
      {"highest start", "abc", "c", "x", INT32_MAX, none, true, "abc"},
      {"matches do not overlap", "aaa", "aa", "X", none, none, true, "Xa"},
      {"replacement not searched again", "aa", "a", "aa", none, none, true, "aaaa"},
      {"case-insensitive ASCII", "ABcab", "ab", "X", none, none, false, "XcX"},
      {"case-sensitive", "ABcab", "ab", "X", none, none, true, "ABcX"},
      {"no match on a trail byte", std::string(kTrailBar) + "|", "|", "", none, none, true,
       std::string(kTrailBar)},
      {"a double-byte search matches", "出题跳过出题", "出题", "", none, none, true, "跳过"},
      {"lone lead byte at the end dropped", "ab\xB3", " ", "", none, none, true, "ab"},
      {"lone lead byte kept when the scan stops before it", "ab\xB3", "\r\n", "", none, none, true,
       "ab\xB3"},
      {"lone lead byte kept after the count ran out", " \xB3", " ", "", none, 1, true, "\xB3"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(replaceText(c.text, c.search, c.replacement, c.start, c.count, c.caseSensitive),
              c.expected)
        << c.what;
  }
}

TEST(TextOps, SplitText) {
  const std::optional<std::int32_t> none;
  struct Case {
    std::string text;
    std::optional<std::string_view> delimiter;
    std::optional<std::int32_t> maximum;
    TextArray expected;
  };
  const Case cases[] = {
      {"问题|答案", "|", none, {"问题", "答案"}},
      {"问题|答案|", "|", none, {"问题", "答案"}},
      {"问题||答案", "|", none, {"问题", "", "答案"}},
      {"|答案", "|", none, {"", "答案"}},
      {"|", "|", none, {""}},
      {"||", "|", none, {"", ""}},
      {"问题", "|", none, {"问题"}},
      {"", "|", none, {}},
      {"分类.3", ".", none, {"分类", "3"}},
      {"分类.", ".", none, {"分类"}},
      {"分类.3.", ".", none, {"分类", "3"}},
      {"分类..3", ".", none, {"分类", "", "3"}},
      // A trail byte equal to the delimiter does not split.
      {std::string(kTrailBar) + "|B", "|", none, {std::string(kTrailBar), "B"}},
      // A lone lead byte at the end stays in the last element.
      {"A|b\xB3", "|", none, {"A", "b\xB3"}},
      {"a,b", std::nullopt, none, {"a", "b"}},
      {"a||b", "||", none, {"a", "b"}},
      {"a.b", "", none, {"a.b"}},
      {"a.b.c", ".", 1, {"a"}},
      {"a.b.c", ".", 5, {"a", "b", "c"}},
      {"a.b", ".", 0, {}},
      {"a.b", ".", -3, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(splitText(c.text, c.delimiter, c.maximum), c.expected) << c.text;
  }
}

TEST(TextOps, ElementAtCountsFromOne) {
  const TextArray parts = splitText("问题||答案", "|", std::nullopt);
  ASSERT_EQ(elementCount(parts), 3u);
  EXPECT_EQ(elementAt(parts, 1), "问题");
  EXPECT_EQ(elementAt(parts, 2), "");
  EXPECT_EQ(elementAt(parts, 3), "答案");
}

}  // namespace
}  // namespace vexlo
