// Tests of answer judging: the worked example of the score book, the order of a scored answer's
// writes, accuracy and level, the kinds of wrong answers, closed questions, and the number checks.
#include <string>
#include <vector>

#include "exam/exam_test_fixture.h"
#include "exam/judge_answer.h"

namespace vexlo {
namespace {

// Two members of group 10001 play a kind-"1" category; the bank line is edited between the two
// posts so that the second question has the answer D.
TEST_F(ExamTest, WorkedExampleOfTheScoreBook) {
  oneQuestionCategory("1", "Q1|B");
  EXPECT_EQ(send("出题", "2", "10001", "111"), "Sums\r\n1.Q1");
  EXPECT_EQ(send("B", "2", "10001", "222"), "[name]:回答正确！积分+1，1分， 成绩:100分");
  EXPECT_EQ(send("B", "2", "10001", "111"), "[name]:请勿重复答题！");
  writeBank({{"问题内容1", "1", "Q2|D"}});
  EXPECT_EQ(send("跳过", "2", "10001", "111"), "Sums\r\n1.Q2");
  EXPECT_EQ(send("A", "2", "10001", "111"),
            "[name]:回答错误！积分-1，正确答案为：D，-1分， 成绩:0分");
  EXPECT_EQ(send("D", "2", "10001", "222"), "[name]:请勿重复答题！");
  send("列表", "2", "10001", "222");

  const Entry book[] = {
      {"群答案", "10001", "D"},    {"用户积分", "222", "1"},  {"用户积分", "111", "-1"},
      {"正确题数", "222", "1"},    {"用户等级", "222", "0"},  {"用户等级", "111", "0"},
      {"错误题数", "111", "1"},    {"内容类型", "标题列表", ""},
      {"正确题数", "111", "(absent)"}, {"错误题数", "222", "(absent)"},
  };
  for (const Entry& e : book) {
    EXPECT_EQ(score(e.section, e.key), e.value) << e.section << " " << e.key;
  }

  // A new question answered right by 222: 2 points, 2 right, accuracy 100, level still 0.
  writeBank({{"问题内容1", "1", "Q3|C"}});
  send("出题");
  EXPECT_EQ(send("C", "2", "10001", "222"), "[name]:回答正确！积分+1，2分， 成绩:100分");
  EXPECT_EQ(score("正确题数", "222"), "2");
  EXPECT_EQ(score("用户等级", "222"), "0");
}

TEST_F(ExamTest, ScoredAnswersWriteInTheirOrder) {
  oneQuestionCategory("1", "q|B");
  send("出题");
  recording.log.clear();
  send("B", "2", "10001", "222");
  EXPECT_EQ(recording.log, (std::vector<std::string>{
                               "read 用户积分 222", "read 正确题数 222", "read 错误题数 222",
                               "read 群答案 10001", "read 用户积分 222", "write 用户积分 222=1",
                               "read 用户积分 222", "write 正确题数 222=1",
                               "write 用户等级 222=0"}));
  send("出题");
  recording.log.clear();
  send("A", "2", "10001", "222");
  EXPECT_EQ(recording.log, (std::vector<std::string>{
                               "read 用户积分 222", "read 正确题数 222", "read 错误题数 222",
                               "read 群答案 10001", "read 问题内容1 问题个数",
                               "write 错误题数 222=1", "write 用户积分 222=0",
                               "write 用户等级 222=0"}));
}

TEST(AccuracyAndLevel, FloorWithTheNearIntegerStep) {
  struct Case {
    double correct, total;
    int accuracy;
  };
  const Case cases[] = {
      {29, 50, 58}, {29, 100, 29}, {57, 100, 57}, {7, 100, 7}, {2, 3, 66},
      {1, 3, 33},   {1, 1, 100},  {0, 1, 0},      {0, 0, 0},   {5, 0, 0},  // no answers: 0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(accuracyPercent(c.correct, c.total), c.accuracy) << c.correct << "/" << c.total;
  }
  EXPECT_EQ(levelOf(9), 0);
  EXPECT_EQ(levelOf(10), 1);
  EXPECT_EQ(levelOf(29), 2);
}

// Counts and points edited by hand before one more right answer (r) or wrong answer (w).
TEST_F(ExamTest, ScoresFromHandEditedValues) {
  struct Case {
    std::string points, correct, wrong, answer, reply, level;
  };
  const Case cases[] = {
      {"28", "28", "21", "B", "[name]:回答正确！积分+1，29分， 成绩:58分", "5"},
      {"0", "1", "1", "B", "[name]:回答正确！积分+1，1分， 成绩:66分", "0"},
      {"2.5", "8", "1", "B", "[name]:回答正确！积分+1，3.5分， 成绩:90分", "1"},
      {"abc", "-1", "0", "B", "[name]:回答正确！积分+1，1分， 成绩:0分", "0"},  // total 0
      {"1", "1", "-2", "A", "[name]:回答错误！积分-1，正确答案为：B，0分， 成绩:0分", "0"},
  };
  oneQuestionCategory("1", "q|B");
  for (const Case& c : cases) {
    writeScores({{"用户积分", "111", c.points},
                 {"正确题数", "111", c.correct},
                 {"错误题数", "111", c.wrong}});
    send("出题");
    EXPECT_EQ(send(c.answer), c.reply) << c.points << " " << c.correct << " " << c.wrong;
    EXPECT_EQ(score("用户等级", "111"), c.level) << c.correct << " " << c.wrong;
  }
}

TEST_F(ExamTest, WrongAnswersByQuestionKind) {
  struct Case {
    std::string kind, reply;
    bool closes;
  };
  const Case cases[] = {
      {"0", "如需提示发@Vexlo 提示", false},
      {"2", "", false},
      {"", "", false},
      {"1", "[name]:回答错误！积分-1，正确答案为：B，-1分， 成绩:0分", true},
  };
  for (const Case& c : cases) {
    oneQuestionCategory(c.kind, "q|B");
    send("出题", "2", "10001", "999");
    EXPECT_EQ(send("A", "2", "10001", c.kind + "x"), c.reply) << c.kind;
    EXPECT_EQ(score("用户积分", c.kind + "x"), c.closes ? "-1" : "(absent)") << c.kind;
    EXPECT_EQ(send("B", "2", "10001", "222"),
              c.closes ? "[name]:请勿重复答题！" : "[name]:回答正确！积分+1，1分， 成绩:100分")
        << c.kind;
    writeScores({{"用户积分", "222", ""}, {"正确题数", "222", ""}});
  }
}

TEST_F(ExamTest, OneClosedQuestionRefusesEveryGroupUntilTheNextDraw) {
  oneQuestionCategory("1", "q|B");
  send("出题", "2", "1");
  send("出题", "2", "2");
  EXPECT_EQ(send("B", "2", "1", "111"), "[name]:回答正确！积分+1，1分， 成绩:100分");
  EXPECT_EQ(send("B", "2", "2", "222"), "[name]:请勿重复答题！");
  EXPECT_EQ(send("A", "2", "2", "222"), "[name]:请勿重复答题！");
  EXPECT_EQ(score("用户积分", "222"), "(absent)");
  send("出题", "2", "2");
  EXPECT_EQ(send("B", "2", "2", "222"), "[name]:回答正确！积分+1，1分， 成绩:100分");
}

TEST_F(ExamTest, OutsideAGroupNothingIsScored) {
  oneQuestionCategory("1", "q|B");
  send("出题");
  EXPECT_EQ(send("B", "1"), texts::privateChatReply);
  EXPECT_EQ(send("B", "3"), texts::privateChatReply);
  EXPECT_EQ(send("A", "1"), "");
  EXPECT_EQ(send("A", "3"), texts::privateChatReply);
  EXPECT_EQ(score("用户积分", "111"), "(absent)");
  EXPECT_EQ(state.answeredMark, "");
}

TEST_F(ExamTest, AGroupWithoutAPostedQuestionHasTheDefaultAnswer) {
  oneQuestionCategory("1", "q|B");
  send("出题", "2", "1");
  EXPECT_EQ(send("问题答案", "2", "2"), "[name]:回答正确！积分+1，1分， 成绩:100分");

  writeScores({{"群答案", "3", ""}});
  send("出题", "2", "1");
  EXPECT_EQ(send("\"\"", "2", "3", "222"), "[name]:回答正确！积分+1，1分， 成绩:100分");
}

TEST_F(ExamTest, NumbersAndLookupsAreNotScored) {
  writeBank({{"内容类型", "类型", "3"},
             {"问题内容3", "问题个数", "5"},
             {"问题内容3", "题目类型", "1"},
             {"问题内容3", "1", "q|3.14"},
             {"问题内容3", "5", "five?|5"}});
  clock = 2;  // the first draw of 1 to 5 at this reading is 1, the second 4 (no line: answer kept)
  send("出题");
  ASSERT_EQ(state.currentAnswer, "3.14");

  struct Case {
    std::string message, reply;
  };
  const Case cases[] = {
      {"6", "超过题目最大数，当前最多5道题"},
      {"６", "超过题目最大数，当前最多5道题"},  // a full-width six
      {"5", "[name]:回答错误！积分-1，正确答案为：3.14，-1分， 成绩:0分"},  // judged
  };
  for (const Case& c : cases) {
    EXPECT_EQ(send(c.message), c.reply) << c.message;
  }
  send("出题");
  EXPECT_EQ(send("3.5"), "five?|5");    // the raw line, answer included
  EXPECT_EQ(send("3.15"), "");          // looked up, not judged
  EXPECT_EQ(send("3.14"), "[name]:回答正确！积分+1，0分， 成绩:50分");
  EXPECT_EQ(state.questionCount, 5);

  writeBank({{"问题内容3", "问题个数", "seven"}});
  EXPECT_EQ(send("1"), "超过题目最大数，当前最多0道题");
}

TEST_F(ExamTest, AFailedWriteLeavesNoNumberInTheReply) {
  oneQuestionCategory("1", "q|B");
  send("出题");
  removePluginFolder();
  EXPECT_EQ(send("问题答案"), "[name]:回答正确！积分+1，分， 成绩:100分");
}

}  // namespace
}  // namespace vexlo
