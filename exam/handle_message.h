// The dispatcher of one chat message: clean-up, the sender's record, and the command it names.
#pragma once

#include <string>
#include <string_view>

#include "exam/exam_state.h"
#include "runtime/run_time.h"

namespace vexlo {

// Returns `message` without its double quotes, without its first ten blanks and without its CR LF
// pairs, in that order. Nothing else goes: a lone CR or LF, a tab, a full-width blank stay.
std::string cleanMessage(std::string_view message);

// Handles one message and returns the reply (possibly empty). Replaces `message` by its cleaned
// form, reads the sender's points and counts from the score book (every message, first), then
// compares the whole cleaned message with the commands in a fixed order: 出题, 0, 跳过, 提示 (chat
// kind "2" only), 列表, 帮助 or 命令, 分类.number; anything else is judged as an answer. A question
// is posted only in chat kind "2"; its group's answer goes to the score book and a question of kind
// "0" is posted with the hint line. `chatKind`, `groupId` and `senderId` are only read; `extra` is
// never read.
std::string handleMessage(ExamState& state, RunTime& runTime, std::string& message,
                          const std::string& chatKind, const std::string& groupId,
                          const std::string& senderId, const std::string& extra);

}  // namespace vexlo
