// Importing banks from UTF-8 sources and exporting them back: the canonical layout, the round trip
// import -> export -> import to the same bytes, and sources that must not become a bank.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/bank/bank_check.h"
#include "tools/bank/bank_import.h"

namespace vexlo::tools {
namespace {

// Chinese literals here are GBK; the sources people write are UTF-8.
std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string listed(const std::vector<Problem>& problems) {
  std::string out;
  for (const Problem& p : problems) {
    out += p.category + " " + std::to_string(p.line) + ":" + std::to_string(p.column) + " " + p.message + "\n";
  }
  return out;
}

// Imports, exports the result and imports that again: both banks must be the same bytes.
void expectRoundTrip(const std::string& firstBank) {
  const BankBuild exported = exportBank(firstBank);
  ASSERT_FALSE(exported.bytes.empty()) << listed(exported.problems);
  const BankBuild again = importBank(exported.bytes, SourceFormat::Ini, "");
  EXPECT_EQ(again.bytes, firstBank) << exported.bytes;
}

TEST(BankImport, IniSourceBecomesTheCanonicalBankAndSurvivesARoundTrip) {
  const std::string source = utf8(
      u8"\uFEFF; every kind of line, \U0001F600 in a comment included\n"
      u8"[问题内容2]\n"
      u8"题目类型=0\n"
      u8"问题个数=7\n"
      u8"5=第一？|甲乙\n"
      u8"备注=note\n"
      u8"2=\" 空格开头？|答复\"\r\n"
      u8"9='单引号'|'答'\n"
      u8"4=\"尾？|空格 \"\n"
      u8"标题=  Padded  \n"
      u8"\n"
      u8"[其他]\n"
      u8"k=v\n"
      u8"[内容类型]\n"
      u8"类型=\n"
      u8"[问题内容1]\n"
      u8"标题=一\n"
      u8"1=问|答\n");
  const BankBuild build = importBank(source, SourceFormat::Ini, "");
  const std::string expected =
      "[内容类型]\r\n类型=2\r\n"
      "\r\n[问题内容2]\r\n标题=Padded\r\n问题个数=4\r\n题目类型=0\r\n备注=note\r\n"
      "1=第一？|甲乙\r\n2=\" 空格开头？|答复\"\r\n3=单引号'|'答\r\n4=\"尾？|空格 \"\r\n"
      "\r\n[其他]\r\nk=v\r\n"
      "\r\n[问题内容1]\r\n标题=一\r\n问题个数=1\r\n1=问|答\r\n";
  EXPECT_EQ(build.bytes, expected) << listed(build.problems);
  ASSERT_EQ(build.problems.size(), 1u) << listed(build.problems);
  EXPECT_EQ(build.problems[0].category, "count");  // 7 in the source, 4 lines
  expectRoundTrip(build.bytes);
}

TEST(BankImport, SelectionOptionOverridesTheSource) {
  const std::string source = utf8(u8"[内容类型]\n类型=1\n[问题内容1]\n1=问|答\n[问题内容3]\n1=问|答\n");
  const std::string head = "[内容类型]\r\n类型=3\r\n";
  EXPECT_EQ(importBank(source, SourceFormat::Ini, "3").bytes.substr(0, head.size()), head);
}

TEST(BankImport, SampleBankImportsWithoutErrorAndSurvivesARoundTrip) {
  const char* dir = std::getenv("VEXLO_SOURCE_DIR");
  ASSERT_NE(dir, nullptr);
  std::ifstream in(std::string(dir) + "/samples/bank.utf8.ini", std::ios::binary);
  const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(source.empty());
  const BankBuild build = importBank(source, SourceFormat::Ini, "");
  ASSERT_FALSE(build.bytes.empty()) << listed(build.problems);
  const std::vector<Problem> checked = checkBank(build.bytes);
  EXPECT_EQ(countOf(checked, Severity::Error), 0u) << listed(checked);
  expectRoundTrip(build.bytes);
}

TEST(BankImport, TableSourcesNumberTheirRows) {
  const std::string csv = utf8(
      u8"category,title,kind,question,answer\n"
      u8"2,Sums,1,\"3, 4 or 5: 2+3?\",5\r\n"
      u8"1,地理,0,首都？,北京\n"
      u8"2,,,\"say \"\"hi\"\"\",hi\n"
      u8"\n"
      u8"1,地理,,长河？,长江\n");
  const BankBuild build = importBank(csv, SourceFormat::Csv, "1");
  const std::string expected =
      "[内容类型]\r\n类型=1\r\n"
      "\r\n[问题内容2]\r\n标题=Sums\r\n问题个数=2\r\n题目类型=1\r\n1=3, 4 or 5: 2+3?|5\r\n"
      "2=say \"hi\"|hi\r\n"
      "\r\n[问题内容1]\r\n标题=地理\r\n问题个数=2\r\n题目类型=0\r\n1=首都？|北京\r\n2=长河？|长江\r\n";
  EXPECT_EQ(build.bytes, expected) << listed(build.problems);
  std::string tsv = csv;
  for (char& c : tsv) c = c == ',' ? '\t' : c;  // no comma inside a field survives this, so
  tsv.replace(tsv.find("3\t 4 or 5"), 9, "3, 4 or 5");  // put the one quoted back
  EXPECT_EQ(importBank(tsv, SourceFormat::Tsv, "1").bytes, expected);
  expectRoundTrip(build.bytes);
}

struct BadSource {
  const char* what;
  SourceFormat format;
  std::string source;
  std::size_t line;  // 0: the problem names no line
  std::size_t column;
};

TEST(BankImport, BadSourcesWriteNothingAndSayWhere) {
  const std::vector<BadSource> cases = {
      {"a character GBK cannot hold", SourceFormat::Ini,
       utf8(u8"[问题内容1]\n标题=x\n1=问|\U0001F600\n"), 3, 5},
      {"not UTF-8", SourceFormat::Ini, "[a]\nk=\xD6\xD0\xCE\n", 2, 3},
      {"a line before the first section", SourceFormat::Ini, utf8(u8"1=问|答\n[问题内容1]\n"), 0, 0},
      {"a second section of one name", SourceFormat::Ini, utf8(u8"[问题内容1]\n1=问|答\n[问题内容1]\n"), 0, 0},
      {"a line without =", SourceFormat::Ini, utf8(u8"[问题内容1]\n问|答\n"), 0, 0},
      {"a bar inside an answer", SourceFormat::Csv, utf8(u8"1,T,1,问,答|答\n"), 1, 9},
      {"too few fields", SourceFormat::Csv, utf8(u8"1,T,1,问\n"), 1, 1},
      {"two titles for one category", SourceFormat::Csv, utf8(u8"1,T,1,问,答\n1,U,1,题,答复\n"), 2, 3},
      {"a quote never closed", SourceFormat::Csv, utf8(u8"1,T,1,\"问,答\n"), 1, 7},
      {"an empty answer", SourceFormat::Tsv, utf8(u8"1\tT\t1\t问\t \n"), 1, 9},
      {"a character GBK cannot hold in a table", SourceFormat::Csv, utf8(u8"1,T,1,问,\u00E9\u0301\n"),
       1, 10},
  };
  for (const BadSource& c : cases) {
    const BankBuild build = importBank(c.source, c.format, "");
    EXPECT_TRUE(build.bytes.empty()) << c.what;
    ASSERT_FALSE(build.problems.empty()) << c.what;
    EXPECT_EQ(build.problems[0].severity, Severity::Error) << c.what;
    EXPECT_EQ(build.problems[0].line, c.line) << c.what << "\n" << listed(build.problems);
    EXPECT_EQ(build.problems[0].column, c.column) << c.what << "\n" << listed(build.problems);
  }
}

TEST(BankExport, RefusesFilesThatAreNoGbkBank) {
  EXPECT_TRUE(exportBank(utf8(u8"[内容类型]\n类型=1\n")).bytes.empty());  // UTF-8 already
  const BankBuild bad = exportBank("[a]\r\nk=\xB1\r\n");
  EXPECT_TRUE(bad.bytes.empty());
  ASSERT_FALSE(bad.problems.empty());
  EXPECT_EQ(bad.problems[0].line, 2u);
}

}  // namespace
}  // namespace vexlo::tools
