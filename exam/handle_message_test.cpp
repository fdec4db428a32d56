// Tests of the dispatcher: clean-up, the sender's reads, the commands in each chat kind, posting a
// question and showing the answer.
#include <string>
#include <vector>

#include "exam/exam_test_fixture.h"

namespace vexlo {
namespace {

TEST(CleanMessage, RemovesQuotesTenBlanksAndLineBreakPairsOnly) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {" 出题", "出题"},
      {"出 题", "出题"},
      {"\"出题\"", "出题"},
      {"出题\r\n", "出题"},
      {"出题\n", "出题\n"},            // a lone LF stays
      {"出\r题", "出\r题"},            // a lone CR stays
      {"出　题", "出　题"},            // a full-width blank stays
      {"出\t题", "出\t题"},            // so does a tab
      {"            x", "  x"},       // twelve blanks: the last two stay
      {"\r\"\n", ""},                 // quotes go first, so a CR LF pair forms and goes
      {"a\r \nb", "ab"},              // blanks go before the CR LF pairs
      {"\r\r\n\n", "\r\n"},           // pairs do not overlap, nothing is looked at twice
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cleanMessage(c.in), c.out) << c.in;
  }
}

TEST_F(ExamTest, ReplacesTheMessageByItsCleanedForm) {
  std::string message = " \"帮助\"\r\n";
  handleMessage(state, runTime, message, "2", "g", "s", "");
  EXPECT_EQ(message, "帮助");
}

TEST_F(ExamTest, QuickCommandAndHelpAnswerInEveryChatKind) {
  for (const std::string kind : {"2", "3", "1", ""}) {
    EXPECT_EQ(send("0", kind), texts::quickCommandReply) << kind;
    EXPECT_EQ(send("帮助", kind), texts::helpReply) << kind;
    EXPECT_EQ(send("命令", kind), texts::helpReply) << kind;
  }
}

TEST_F(ExamTest, EveryMessageFirstReadsTheSendersRecord) {
  writeScores({{"正确题数", "111", "7"}});
  recording.log.clear();
  send("0");
  EXPECT_EQ(recording.log, (std::vector<std::string>{"read 用户积分 111", "read 正确题数 111",
                                                     "read 错误题数 111"}));
  EXPECT_EQ(state.senderCorrectCount, "7");
  send("0", "2", "10001", "222");  // a sender without a record empties it again
  EXPECT_EQ(state.senderCorrectCount, "");
}

TEST_F(ExamTest, PostsAQuestionOnlyInAGroupChat) {
  oneQuestionCategory("1", "7 times 6?|42");
  for (const std::string kind : {"3", "1", ""}) {
    EXPECT_EQ(send("出题", kind), texts::privateChatReply) << kind;
    EXPECT_EQ(send("跳过", kind), texts::privateChatReply) << kind;
  }
  EXPECT_EQ(state.currentCategory, "");  // nothing was drawn
  EXPECT_EQ(score("群答案", "10001"), "(absent)");

  EXPECT_EQ(send("出题"), "Sums\r\n1.7 times 6?");
  EXPECT_EQ(score("群答案", "10001"), "42");
  EXPECT_EQ(send(" 跳 过 "), "Sums\r\n1.7 times 6?");
}

// The hint line follows the kind of the question being posted, also for the first post after load.
TEST_F(ExamTest, PostCarriesTheHintLineOfTheDrawnKind) {
  struct Case {
    std::string kind, title, post;
  };
  const Case cases[] = {
      {"0", "Sums", "Sums\r\n1.q[enter]如需提示发@Vexlo 提示"},
      {"1", "Sums", "Sums\r\n1.q"},
      {"2", "", "1.q"},  // no title: no line before the number
      {"0", "", "1.q[enter]如需提示发@Vexlo 提示"},
  };
  for (const Case& c : cases) {
    oneQuestionCategory(c.kind, "q|a", c.title);
    EXPECT_EQ(send("出题"), c.post) << c.kind << " " << c.title;
  }
  // From kind "0" to kind "1": the new question comes without the hint line.
  oneQuestionCategory("0", "q|a");
  send("出题");
  oneQuestionCategory("1", "q|a");
  EXPECT_EQ(send("出题"), "Sums\r\n1.q");
}

TEST_F(ExamTest, PostWithoutASelectedCategoryRepeatsTheEmptyState) {
  EXPECT_EQ(send("出题"), "0.");
  EXPECT_EQ(score("群答案", "10001"), "");  // written, with the empty answer

  oneQuestionCategory("1", "q|a");
  send("出题");
  writeBank({{"内容类型", "类型", "0"}});
  EXPECT_EQ(send("出题"), "Sums\r\n1.");  // title and number of the last draw, no question
  EXPECT_EQ(score("群答案", "10001"), "a");
}

TEST_F(ExamTest, HintShowsTheGroupsAnswerAndLeavesTheQuestionOpen) {
  EXPECT_EQ(send("提示"), "答案是:\r\n问题答案");
  EXPECT_EQ(send("提示", "2", ""), "答案是:\r\n");  // no group: no default either

  oneQuestionCategory("1", "q|B");
  send("出题");
  recording.log.clear();
  EXPECT_EQ(send("提示"), "答案是:\r\nB");
  EXPECT_EQ(recording.log.size(), 4u);  // the three reads of the sender, then the group's answer
  EXPECT_EQ(send("B"), "[name]:回答正确！积分+1，1分， 成绩:100分");
}

TEST_F(ExamTest, HintOutsideAGroupIsJudgedAsAnAnswer) {
  writeScores({{"群答案", "10001", "提示"}});
  EXPECT_EQ(send("提示", "3"), texts::privateChatReply);
  EXPECT_EQ(send("提示", "1"), texts::privateChatReply);  // it equals the stored answer
  writeScores({{"群答案", "10001", "B"}});
  EXPECT_EQ(send("提示", "1"), "");
}

}  // namespace
}  // namespace vexlo
