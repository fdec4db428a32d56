// ExamState: the one record that carries the current question from one message to the next, and
// the texts last returned by the two exports. The plugin keeps a single instance for the process
// (host/); the engine's functions take it as a parameter. Not thread-safe: one message at a time.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/text_ops.h"

namespace vexlo {

struct ExamState {
  std::string senderCorrectCount;  // the sender's 正确题数, read at each message, raised by a right answer
  std::string questionKind;        // 题目类型 of the current category
  std::string currentAnswer;       // the drawn answer, or the group's answer as read back, whichever was last
  std::string categoryTitle;       // 标题 of the current category
  std::int32_t questionNumber = 0; // the number of the drawn question
  std::string questionText;        // the question part of the drawn line
  std::int32_t listIndex = 0;      // the counter of the category listing
  std::string answeredMark;        // empty, or 重复 once the current question has been answered
  std::int32_t questionCount = 0;  // 问题个数 of the current category
  std::string currentCategory;     // 类型 of section 内容类型 of the bank, as read
  std::string questionLine;        // the raw drawn line, question|answer
  TextArray questionParts;         // questionLine split at "|"
  std::string lastDescription;     // the text last returned by info
  std::string lastReply;           // the text last returned by plugmain
};

}  // namespace vexlo
