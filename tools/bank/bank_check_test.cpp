// The bank checker: one small bank per rule, each of which must raise its problem, and answers
// that look doubtful but that players can in fact score, which must not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/bank/bank_check.h"

namespace vexlo::tools {
namespace {

// A bank whose category 1 (selected) has `body` as its lines.
std::string bankWith(const std::string& body, const std::string& selection = "1") {
  return "[内容类型]\r\n类型=" + selection + "\r\n[问题内容1]\r\n" + body;
}

const std::string kHead = "标题=地理\r\n问题个数=2\r\n题目类型=1\r\n";
const std::string kGood = kHead + "1=首都？|北京\r\n2=长河？|长江\r\n";

// A category of kind `kind` with one question whose answer is `answer`.
std::string oneAnswer(const std::string& answer, const std::string& kind = "1") {
  return bankWith("标题=地理\r\n问题个数=1\r\n题目类型=" + kind + "\r\n1=问题|" + answer + "\r\n");
}

bool has(const std::vector<Problem>& problems, Severity severity, const std::string& category,
         const std::string& key) {
  for (const Problem& p : problems) {
    if (p.severity == severity && p.category == category && (key.empty() || p.key == key)) return true;
  }
  return false;
}

std::string listed(const std::vector<Problem>& problems) {
  std::string out;
  for (const Problem& p : problems) out += p.category + " [" + p.key + "] " + p.message + "\n";
  return out;
}

TEST(BankCheck, AWellFormedBankHasNoProblem) {
  const std::vector<Problem> problems = checkBank(bankWith(kGood));
  EXPECT_TRUE(problems.empty()) << listed(problems);
}

struct RuleCase {
  const char* rule;
  std::string bank;
  Severity severity;
  std::string category;
  std::string key;  // "" when the problem names no single key, or a non-ASCII one
};

TEST(BankCheck, EachRuleFindsItsProblem) {
  const std::string longLine = "1=问题|" + std::string(10240, 'x') + "\r\n";
  const std::vector<RuleCase> cases = {
      {"selection names no section", bankWith(kGood, "9"), Severity::Error, "selection", ""},
      {"no selection", "[问题内容1]\r\n" + kGood, Severity::Error, "selection", ""},
      {"count missing", bankWith("标题=地理\r\n题目类型=1\r\n1=问|答案\r\n"), Severity::Error, "count", ""},
      {"count not whole", bankWith("标题=地理\r\n问题个数=2.0\r\n题目类型=1\r\n1=问|答案\r\n2=题|答复\r\n"),
       Severity::Error, "count", ""},
      {"count above the lines", bankWith(kHead + "1=首都？|北京\r\n"), Severity::Error, "count", ""},
      {"a line missing inside the count",
       bankWith("标题=地理\r\n问题个数=2\r\n题目类型=1\r\n1=首都？|北京\r\n3=长河？|长江\r\n"),
       Severity::Error, "line", ""},
      {"no bar", bankWith(kHead + "1=首都北京\r\n2=长河？|长江\r\n"), Severity::Error, "line", "1"},
      {"bar only at the end", bankWith(kHead + "1=首都北京|\r\n2=长河？|长江\r\n"), Severity::Error, "line", "1"},
      {"two bars", bankWith(kHead + "1=首都|北京|城\r\n2=长河？|长江\r\n"), Severity::Error, "line", "1"},
      {"empty question", bankWith(kHead + "1=|北京\r\n2=长河？|长江\r\n"), Severity::Error, "line", "1"},
      {"empty answer", bankWith(kHead + "1=首都？||\r\n2=长河？|长江\r\n"), Severity::Error, "line", "1"},
      {"value too long", bankWith("标题=地理\r\n问题个数=1\r\n题目类型=1\r\n" + longLine), Severity::Error,
       "length", "1"},
      {"invalid GBK", bankWith(kHead + "1=首都？|北\xB1\r\n2=长河？|长江\r\n"), Severity::Error, "encoding", ""},
      {"UTF-8 without mark", "[\xE5\x86\x85]\r\n", Severity::Error, "encoding", ""},
      {"a second section of a name", bankWith(kGood) + "[问题内容1]\r\n标题=又\r\n", Severity::Error,
       "section", ""},
      {"a second line of a number", bankWith(kGood + "2=又？|又是\r\n"), Severity::Error, "line", "2"},
      {"command word", oneAnswer("出题"), Severity::Error, "unscorable", "1"},
      {"hint word in a group", oneAnswer("提示"), Severity::Error, "unscorable", "1"},
      {"quick command", oneAnswer("0"), Severity::Error, "unscorable", "1"},
      {"a blank inside", oneAnswer("New York"), Severity::Error, "unscorable", "1"},
      {"a blank kept by quotes", oneAnswer("\" 北京\""), Severity::Error, "unscorable", "1"},
      {"a double quote inside", oneAnswer("a\"b"), Severity::Error, "unscorable", "1"},
      {"a selection", oneAnswer("分类.3"), Severity::Error, "unscorable", "1"},
      {"a selection with an empty number", oneAnswer("分类.."), Severity::Error, "unscorable", "1"},
      {"single quotes dropped in the score book", oneAnswer("'hi'"), Severity::Warning, "judging", "1"},
      {"kind 1: wrong a.b answers are looked up", oneAnswer("3.14"), Severity::Warning, "judging", ""},
      {"kind 1: wrong numbers above the count", oneAnswer("1945年"), Severity::Warning, "judging", ""},
      {"no title", bankWith("问题个数=2\r\n题目类型=1\r\n1=首都？|北京\r\n2=长河？|长江\r\n"), Severity::Warning,
       "title", ""},
      {"kind other than 0 and 1", bankWith("标题=地理\r\n问题个数=1\r\n题目类型=2\r\n1=首都？|北京\r\n"),
       Severity::Warning, "kind", ""},
      {"category above 100", bankWith(kGood) + "[问题内容101]\r\n" + kGood, Severity::Warning, "category", ""},
      {"leading zeros", bankWith(kGood) + "[问题内容07]\r\n" + kGood, Severity::Warning, "category", ""},
      {"duplicate question", bankWith(kHead + "1=首都？|北京\r\n2=首都？|长江\r\n"), Severity::Warning,
       "duplicate", "2"},
      {"one-character answer", oneAnswer("甲"), Severity::Warning, "short-answer", ""},
      {"questions beyond 32768", bankWith("标题=地理\r\n问题个数=40000\r\n题目类型=1\r\n1=首都？|北京\r\n"),
       Severity::Warning, "count", ""},
      {"a key with leading zeros", bankWith(kGood + "01=又？|又是\r\n"), Severity::Warning, "line", "01"},
      {"UTF-8 with a mark", "\xEF\xBB\xBF" "[\xE5\x86\x85\xE5\xAE\xB9\xE7\xB1\xBB\xE5\x9E\x8B]\r\n",
       Severity::Warning, "encoding", ""},
  };
  for (const RuleCase& c : cases) {
    const std::vector<Problem> problems = checkBank(c.bank);
    EXPECT_TRUE(has(problems, c.severity, c.category, c.key)) << c.rule << "\n" << listed(problems);
  }
}

// Answers that look doubtful but that a player can type and have judged right, because the
// message is compared with the answer before the command, selection, look-up and number tests.
TEST(BankCheck, AnswersThatPlayersCanScoreAreNotReported) {
  const std::vector<std::string> scorable = {
      "3.14",      // right answers are compared before the a.b look-up
      "99",        // and before the over-maximum test
      "分类",      // one part: no selection
      "分类.",     // still one part
      "分类.3.4",  // three parts
      "\"北京\"",  // the enclosing double quotes go, and players' double quotes are cleaned away
      "出题了",    // commands match only the whole message
  };
  for (const std::string& answer : scorable) {
    for (const std::string kind : {"0", "1"}) {
      const std::vector<Problem> problems = checkBank(oneAnswer(answer, kind));
      EXPECT_FALSE(has(problems, Severity::Error, "unscorable", "")) << answer << "\n" << listed(problems);
    }
  }
  // The effects on wrong answers are reported for kind 1 only, where a wrong answer would cost a
  // point.
  EXPECT_FALSE(has(checkBank(oneAnswer("3.14", "0")), Severity::Warning, "judging", ""));
}

TEST(BankCheck, ProblemsNameTheirPlace) {
  const std::vector<Problem> bad = checkBank(bankWith(kGood) + "x=\xB1\r\n");
  ASSERT_TRUE(has(bad, Severity::Error, "encoding", ""));
  EXPECT_EQ(bad.front().line, 9u);
  EXPECT_EQ(bad.front().column, 3u);

  const std::vector<Problem> gaps = checkBank(bankWith(
      "标题=地理\r\n问题个数=6\r\n题目类型=1\r\n1=首都？|北京\r\n5=长河？|长江\r\n9=高山？|泰山\r\n"));
  std::string messages = listed(gaps);
  EXPECT_NE(messages.find("question lines 2-4, 6 are missing"), std::string::npos) << messages;
  EXPECT_NE(messages.find("question line 9 is above"), std::string::npos) << messages;
}

}  // namespace
}  // namespace vexlo::tools
