// The leaderboard of a score book: one row per sender with the points, the counts of right and
// wrong answers, the accuracy and the level, every value counted exactly as the plugin counts it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::tools {

struct ScoreRow {
  std::string sender;  // GBK, the key of the sender in the score book
  double points = 0;   // each value as the plugin reads it (text to number; missing is 0)
  double right = 0;
  double wrong = 0;
  double level = 0;
  std::int32_t accuracy = 0;       // floor(right / (right + wrong) * 100) by the plugin's rule; 0 without answers
  std::vector<std::string> flags;  // UTF-8 notes on values that are not plain numbers
};

enum class ScoreColumn { Points, Right, Wrong, Accuracy, Level, Sender };

// Reads the senders of a score book (its bytes; GBK or with a byte-order mark): everyone with a
// key in 用户积分, 正确题数, 错误题数 or 用户等级, in the order they first appear.
std::vector<ScoreRow> readScoreBook(std::string_view bytes);

// Sorts the rows by a column: numbers from the highest down, senders in byte order; rows that tie
// keep sender byte order.
void sortRows(std::vector<ScoreRow>& rows, ScoreColumn column);

// The rank of each sorted row: rows with the same value in `column` share a rank, and the next
// rank skips as many places (1, 2, 2, 4). By sender, the rank is the position.
std::vector<std::size_t> ranksOf(const std::vector<ScoreRow>& rows, ScoreColumn column);

// The sorted rows as an aligned table, or as CSV with a heading row; at most `top` rows (0: all).
std::string scoreTable(const std::vector<ScoreRow>& rows, ScoreColumn column, std::size_t top);
std::string scoreCsv(const std::vector<ScoreRow>& rows, ScoreColumn column, std::size_t top);

}  // namespace vexlo::tools
