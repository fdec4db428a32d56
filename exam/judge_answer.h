// Judging a message that is no command: the lookup of a bank line, the over-maximum check, and
// scoring a right or wrong answer into the score book.
#pragma once

#include <string>
#include <string_view>

#include "exam/exam_state.h"
#include "runtime/run_time.h"

namespace vexlo {

// The sender's values read at the start of the message (the count of right answers lives in
// ExamState::senderCorrectCount). Judging changes them when it scores.
struct SenderRecord {
  std::string points;      // 用户积分
  std::string wrongCount;  // 错误题数
};

// Judges `message` (already cleaned) against the group's stored answer, which it first reads into
// currentAnswer (default 问题答案). Returns the reply. Only in chat kind "2" does it score: a right
// answer, or a wrong one to a question of kind "1", writes the sender's points, counts and level
// and closes the question (answeredMark 重复) for every group until the next draw; a closed question
// gets the repeat refusal. A message of exactly two parts at "." replies the bank line it names, a
// number above the category's question count the over-maximum reply, a wrong answer of kind "0" the
// hint pointer; none of these changes anything stored.
std::string judgeAnswer(ExamState& state, RunTime& runTime, std::string_view message,
                        std::string_view chatKind, std::string_view groupId,
                        std::string_view senderId, SenderRecord& sender);

// Returns the accuracy in percent (floored, with a product a hair below a whole number counted as
// that number) of `correct` right answers out of `total`; 0 when the total is 0.
std::int32_t accuracyPercent(double correct, double total);

// Returns the level of a sender with `total` scored answers: a tenth of it, floored.
std::int32_t levelOf(double total);

}  // namespace vexlo
