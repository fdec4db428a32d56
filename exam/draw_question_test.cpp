// Tests of question drawing: every outcome of a draw by what it leaves in ExamState.
#include <string>

#include "exam/draw_question.h"
#include "exam/exam_test_fixture.h"

namespace vexlo {
namespace {

// A state as a well-formed draw left it, so each test sees which fields a draw keeps.
void fillPrevious(ExamState& state) {
  state.categoryTitle = "old title";
  state.questionNumber = 9;
  state.questionText = "old question";
  state.currentAnswer = "old answer";
  state.answeredMark = "重复";
  state.questionKind = "1";
  state.questionCount = 9;
}

TEST_F(ExamTest, DrawWithoutACategoryKeepsTheLastQuestion) {
  for (const std::string selection : {"", "0"}) {
    writeBank({{"内容类型", "类型", selection}});
    fillPrevious(state);
    drawQuestion(state, runTime);
    EXPECT_EQ(state.currentCategory, selection);
    EXPECT_EQ(state.questionText, "");
    EXPECT_EQ(state.answeredMark, "");
    EXPECT_EQ(state.categoryTitle, "old title");
    EXPECT_EQ(state.questionNumber, 9);
    EXPECT_EQ(state.currentAnswer, "old answer");
    EXPECT_EQ(state.questionKind, "1");
  }
}

TEST_F(ExamTest, DrawSplitsTheLineAtTheBar) {
  struct Case {
    std::string line;  // "(none)": the key is missing
    std::string question, answer;
    std::size_t parts;
  };
  const Case cases[] = {
      {"q|a", "q", "a", 2},
      {"q|a|", "q", "a", 2},
      {"|a", "", "a", 2},
      {"q||", "q", "", 2},
      {"q", "", "old answer", 1},
      {"q|", "", "old answer", 1},
      {"q|a|more", "", "old answer", 3},
      {"(none)", "", "old answer", 0},
      // a double-byte character whose second byte is the "|" byte is no delimiter
      {"\x81|\x81||a\x81|", "\x81|\x81|", "a\x81|", 2},
  };
  for (const Case& c : cases) {
    writeBank({{"内容类型", "类型", "1"}, {"问题内容1", "问题个数", "1"}});
    if (c.line != "(none)") {
      writeBank({{"问题内容1", "1", c.line}});
    }
    fillPrevious(state);
    drawQuestion(state, runTime);
    EXPECT_EQ(state.questionText, c.question) << c.line;
    EXPECT_EQ(state.currentAnswer, c.answer) << c.line;
    EXPECT_EQ(state.questionParts.size(), c.parts) << c.line;
    EXPECT_EQ(state.questionLine, c.line == "(none)" ? "" : c.line);
    EXPECT_EQ(state.answeredMark, "");
    writeBank({{"问题内容1", "1", ""}});
  }
}

TEST_F(ExamTest, DrawReadsTheCategoryAsWritten) {
  writeBank({{"内容类型", "类型", "02"},
             {"问题内容2", "标题", "two"},
             {"问题内容2", "问题个数", "1"},
             {"问题内容2", "1", "q|a"},
             {"问题内容02", "标题", "zero-two"},
             {"问题内容02", "问题个数", "3.9"},
             {"问题内容02", "题目类型", "0"},
             {"问题内容02", "1", "q1|a1"}});
  drawQuestion(state, runTime);
  EXPECT_EQ(state.currentCategory, "02");
  EXPECT_EQ(state.categoryTitle, "zero-two");
  EXPECT_EQ(state.questionCount, 3);
  EXPECT_EQ(state.questionKind, "0");

  // A missing section: empty title and kind, count 0, and the number 0 or 1.
  writeBank({{"内容类型", "类型", "7"}});
  fillPrevious(state);
  drawQuestion(state, runTime);
  EXPECT_EQ(state.categoryTitle, "");
  EXPECT_EQ(state.questionKind, "");
  EXPECT_EQ(state.questionCount, 0);
  EXPECT_TRUE(state.questionNumber == 0 || state.questionNumber == 1) << state.questionNumber;
  EXPECT_EQ(state.currentAnswer, "old answer");
}

// The number comes from a generator seeded anew from the clock and the accumulator for each draw.
TEST_F(ExamTest, DrawNumbersFollowTheClockSeededGenerator) {
  writeBank({{"内容类型", "类型", "1"},
             {"问题内容1", "问题个数", "3"},
             {"问题内容1", "1", "one|1"},
             {"问题内容1", "2", "two|2"},
             {"问题内容1", "3", "three|3"}});
  clock = 5;
  drawQuestion(state, runTime);
  EXPECT_EQ(state.questionNumber, 1);
  EXPECT_EQ(state.questionText, "one");
  drawQuestion(state, runTime);  // same clock reading, the accumulator has moved on
  EXPECT_EQ(state.questionNumber, 2);
  EXPECT_EQ(state.currentAnswer, "2");
  EXPECT_EQ(runTime.random.seedAccumulator, 315u);
}

}  // namespace
}  // namespace vexlo
