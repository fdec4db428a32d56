// Tests of the shared UTF-8 and UTF-16 forms: which bytes a bad UTF-8 sequence takes, where
// validation stops, and how UTF-16 bytes of either order pair surrogates or mark them as bad.
#include "runtime/unicode_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vexlo::unicode {
namespace {

using namespace std::string_literals;

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

constexpr std::size_t kNone = std::string_view::npos;

TEST(UnicodeText, Utf8DecodesWellFormedTextAndReplacesEachBadSequenceOnce) {
  struct Case {
    std::string name;
    std::string bytes;
    std::u32string codes;
    std::size_t firstBad;
  };
  const Case cases[] = {
      {"empty", "", U"", kNone},
      {"ASCII and NUL", "a\0b"s, U"a\0b"s, kNone},
      {"two, three and four bytes", utf8(u8"\u00E9\u20AC\U0001F600"), U"\u00E9\u20AC\U0001F600",
       kNone},
      {"highest character", "\xF4\x8F\xBF\xBF", U"\U0010FFFF", kNone},
      {"overlong two bytes", "\xC0\xAF", U"\uFFFD\uFFFD", 0},
      {"overlong three bytes", "\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD", 0},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", U"\uFFFD\uFFFD\uFFFD\uFFFD", 0},
      {"surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD", 0},
      {"above U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", 0},
      {"lone continuation byte", "a\x80z", U"a\uFFFDz", 1},
      {"byte that never starts a sequence", "\xFF", U"\uFFFD", 0},
      {"sequence cut by ASCII", "\xE2\x82z", U"\uFFFDz", 0},
      {"sequence cut by the end", utf8(u8"\u20AC") + "\xF0\x9F\x98", U"\u20AC\uFFFD", 3},
      {"GBK bytes", "\xB3\xF6", U"\uFFFD\uFFFD", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(decodeUtf8(c.bytes), c.codes) << c.name;
    EXPECT_EQ(firstInvalidUtf8(c.bytes), c.firstBad) << c.name;
    EXPECT_EQ(isValidUtf8(c.bytes), c.firstBad == kNone) << c.name;
    if (c.firstBad == kNone) {
      std::string back;
      for (const char32_t code : c.codes) appendUtf8(back, code);
      EXPECT_EQ(back, c.bytes) << c.name;
    }
  }
}

TEST(UnicodeText, Utf16BytesConvertInBothOrders) {
  struct Case {
    std::string name;
    std::string little;  // the bytes in little-endian order; big-endian swaps each pair
    std::string utf8;
    bool wellFormed;
  };
  const Case cases[] = {
      {"empty", "", "", true},
      {"ASCII and NUL", "A\0\0\0"s, "A\0"s, true},
      {"one unit", "\xAC\x20", utf8(u8"\u20AC"), true},
      {"surrogate pair", "\x3D\xD8\x00\xDE"s, utf8(u8"\U0001F600"), true},
      {"high surrogate at the end", "A\0\x3D\xD8"s, utf8(u8"A\uFFFD"), false},
      {"high surrogate before a plain unit", "\x3D\xD8" "B\0"s, utf8(u8"\uFFFDB"), false},
      {"low surrogate alone", "\x00\xDE"s, utf8(u8"\uFFFD"), false},
      {"odd last byte", "A\0B"s, "A", false},
  };
  for (const Case& c : cases) {
    std::string big = c.little;
    for (std::size_t i = 0; i + 1 < big.size(); i += 2) std::swap(big[i], big[i + 1]);
    bool ok = !c.wellFormed;
    EXPECT_EQ(utf16BytesToUtf8(c.little, ByteOrder::LittleEndian, &ok), c.utf8) << c.name;
    EXPECT_EQ(ok, c.wellFormed) << c.name;
    EXPECT_EQ(utf16BytesToUtf8(big, ByteOrder::BigEndian), c.utf8) << c.name;
    if (c.wellFormed) {
      EXPECT_EQ(utf8ToUtf16Bytes(c.utf8, ByteOrder::LittleEndian), c.little) << c.name;
      EXPECT_EQ(utf8ToUtf16Bytes(c.utf8, ByteOrder::BigEndian), big) << c.name;
    }
  }
  // UTF-8 that is not well-formed is written with a replacement per bad sequence.
  EXPECT_EQ(utf8ToUtf16Bytes("a\xE2\x82", ByteOrder::LittleEndian), "a\0\xFD\xFF"s);
}

}  // namespace
}  // namespace vexlo::unicode
