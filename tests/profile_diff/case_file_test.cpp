// The case-file syntax: escapes, repetitions and GBK text decode to the intended bytes, bad lines
// are refused with their line number, and printed bytes read back as the same bytes.
#include "tests/profile_diff/case_file.h"

#include <gtest/gtest.h>

#include <string>

namespace vexlo::profile_diff {
namespace {

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Returns the bytes of the single quoted text of a one-statement case file.
std::string decoded(const std::string& quoted) {
  std::string error;
  const auto cases = parseCaseFile("case c\nfile a.ini " + quoted + "\n", error);
  EXPECT_TRUE(cases) << quoted << ": " << error;
  if (!cases) return "<error>";
  return cases->at(0).statements.at(0).text;
}

TEST(CaseFile, QuotedTextsDecodeToExactBytes) {
  struct Case {
    std::string quoted;
    std::string bytes;
  };
  const Case cases[] = {
      {R"("")", ""},
      {R"("a\\b\"c")", "a\\b\"c"},
      {R"("\r\n\t")", "\r\n\t"},
      {R"("\x00\x5c\xFF")", std::string("\x00\x5C\xFF", 3)},
      {R"("\{3*ab\}")", "ababab"},
      {R"("x\{0*y\}z")", "xz"},
      {R"("\{2*\x81\\\}")", "\x81\\\x81\\"},
      {R"("\{10239*x\}")", std::string(10239, 'x')},
      {utf8(u8"\"中\""), "中"},  // UTF-8 in the case file becomes GBK
      {utf8(u8"\"k乗=\""), "k乗="},
  };
  for (const Case& c : cases) EXPECT_EQ(decoded(c.quoted), c.bytes) << c.quoted;
}

TEST(CaseFile, StatementsAndErrors) {
  std::string error;
  const auto cases = parseCaseFile(
      "# comment\ncase one\nread a.ini \"s\" \"k\"\n\n  # indented comment\ncase two\n"
      "write sub/b.ini \"s\" \"k\" \"v\"\nread sub/b.ini \"s\" \"k\" \"DEF\"\ncompare sub/b.ini\n",
      error);
  ASSERT_TRUE(cases) << error;
  ASSERT_EQ(cases->size(), 2u);
  const Statement& read = cases->at(0).statements.at(0);
  EXPECT_EQ(read.kind, Statement::Kind::Read);
  EXPECT_EQ(read.line, 3);
  EXPECT_EQ(read.text, "");
  const auto& two = cases->at(1).statements;
  ASSERT_EQ(two.size(), 3u);
  EXPECT_EQ(two[0].kind, Statement::Kind::Write);
  EXPECT_EQ(two[0].file, "sub/b.ini");
  EXPECT_EQ(two[0].text, "v");
  EXPECT_EQ(two[1].text, "DEF");
  EXPECT_EQ(two[2].kind, Statement::Kind::Compare);

  const std::string bad[] = {
      "read a.ini \"s\" \"k\"\n",                  // before any case
      "case c\nread a.ini \"s\"\n",                // missing key
      "case c\nwrite a.ini \"s\" \"k\"\n",         // missing value
      "case c\nread ../a.ini \"s\" \"k\"\n",       // leaves the folder
      "case c\nread a.ini \"s\" \"k\" \"v\" \"w\"\n",
      "case c\nfile a.ini \"\\q\"\n",
      "case c\nfile a.ini \"\\x4\"\n",
      "case c\nfile a.ini \"\\{2*a\"\n",
      "case c\nfile a.ini \"a\\}\"\n",
      "case c\nfile a.ini \"open\n",
      "case c\nfile a.ini \"\xF0\x9F\x98\x80\"\n",  // no GBK form
  };
  for (const std::string& text : bad) {
    error.clear();
    EXPECT_FALSE(parseCaseFile(text, error)) << text;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << text << " -> " << error;
  }
}

TEST(CaseFile, PrintedBytesReadBackUnchanged) {
  std::string pairs;
  for (int i = 0; i < 40; ++i) pairs += "中";
  const std::string samples[] = {
      "",
      std::string("a\0\x01\x1A\x7F\x80\xFF\"\\\r\n\t", 13),
      std::string(10239, 'x') + "中",
      "x" + pairs + "y",
      std::string(31, 'z'),
  };
  for (const std::string& bytes : samples) {
    const std::string quoted = quoteBytes(bytes);
    EXPECT_EQ(quoted.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(decoded(quoted) == bytes) << quoted.substr(0, 80);
  }
  EXPECT_EQ(quoteBytes(std::string(40, 'x')), "\"\\{40*x\\}\"");
}

}  // namespace
}  // namespace vexlo::profile_diff
