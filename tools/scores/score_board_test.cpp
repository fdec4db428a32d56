// The leaderboard: values counted as the plugin counts them, flags on values that are not numbers,
// the accuracy formula, ordering with shared ranks, and the CSV form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/scores/score_board.h"

namespace vexlo::tools {
namespace {

const std::string kBook =
    "[用户积分]\r\n111=-1\r\n222=3\r\n333=abc\r\n444=2.5\r\n222=100\r\n"
    "[正确题数]\r\n222=29\r\n111=2\r\n444=2\r\n333=3x\r\n"
    "[错误题数]\r\n222=21\r\n111=1\r\n555=1\r\n"
    "[用户等级]\r\n222=5\r\n111=0\r\n"
    "[群答案]\r\n10001=B\r\n";

TEST(ScoreBoard, CountsValuesAsThePluginDoesAndFlagsTheOddOnes) {
  std::vector<ScoreRow> rows = readScoreBook(kBook);
  ASSERT_EQ(rows.size(), 5u);  // group answers are no sender
  sortRows(rows, ScoreColumn::Sender);
  const struct {
    const char* sender;
    double points, right, wrong;
    int accuracy;
    std::size_t flags;
  } expected[] = {
      {"111", -1, 2, 1, 66, 0},   // 2 of 3
      {"222", 3, 29, 21, 58, 0},  // 29 of 50: the product 57.99999999999999 counts as 58; first 222 wins
      {"333", 0, 3, 0, 100, 2},   // "abc" counts 0 and "3x" counts 3, both flagged
      {"444", 2.5, 2, 0, 100, 0},
      {"555", 0, 0, 1, 0, 0},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].sender, expected[i].sender);
    EXPECT_EQ(rows[i].points, expected[i].points) << rows[i].sender;
    EXPECT_EQ(rows[i].right, expected[i].right) << rows[i].sender;
    EXPECT_EQ(rows[i].wrong, expected[i].wrong) << rows[i].sender;
    EXPECT_EQ(rows[i].accuracy, expected[i].accuracy) << rows[i].sender;
    EXPECT_EQ(rows[i].flags.size(), expected[i].flags) << rows[i].sender;
  }
}

TEST(ScoreBoard, NoAnswersGiveAccuracyZero) {
  const std::vector<ScoreRow> rows = readScoreBook("[用户积分]\r\n7=5\r\n[正确题数]\r\n7=1\r\n[错误题数]\r\n7=-1\r\n");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].accuracy, 0);  // hand-edited counts that add up to 0
}

TEST(ScoreBoard, SortsAndSharesRanks) {
  std::vector<ScoreRow> rows = readScoreBook(kBook);
  const struct {
    ScoreColumn column;
    std::vector<std::string> senders;
    std::vector<std::size_t> ranks;
  } cases[] = {
      {ScoreColumn::Points, {"222", "444", "333", "555", "111"}, {1, 2, 3, 3, 5}},
      {ScoreColumn::Accuracy, {"333", "444", "111", "222", "555"}, {1, 1, 3, 4, 5}},
      {ScoreColumn::Wrong, {"222", "111", "555", "333", "444"}, {1, 2, 2, 4, 4}},
  };
  for (const auto& c : cases) {
    sortRows(rows, c.column);
    std::vector<std::string> senders;
    for (const ScoreRow& row : rows) senders.push_back(row.sender);
    EXPECT_EQ(senders, c.senders);
    EXPECT_EQ(ranksOf(rows, c.column), c.ranks);
  }
}

TEST(ScoreBoard, CsvHasAHeadingQuotesFlagsAndStopsAtTop) {
  std::vector<ScoreRow> rows = readScoreBook(kBook);
  sortRows(rows, ScoreColumn::Points);
  EXPECT_EQ(scoreCsv(rows, ScoreColumn::Points, 3),
            "rank,sender,points,right,wrong,accuracy,level,flags\r\n"
            "1,222,3,29,21,58,5,\r\n"
            "2,444,2.5,2,0,100,0,\r\n"
            "3,333,0,3,0,100,0,\"points \"\"abc\"\" is not a number (counted as 0); right \"\"3x\"\" is "
            "not a number (counted as 3)\"\r\n");
  const std::string table = scoreTable(rows, ScoreColumn::Points, 0);
  EXPECT_EQ(table.substr(0, table.find('\n')), "rank  sender  points  right  wrong  accuracy  level  flags");
  EXPECT_NE(table.find("\n   5  111         -1      2      1        66      0\n"), std::string::npos) << table;
}

}  // namespace
}  // namespace vexlo::tools
