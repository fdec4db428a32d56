// The category commands: listing the titled categories, and selecting the one to draw from.
#pragma once

#include <string>
#include <string_view>

#include "exam/exam_state.h"
#include "runtime/run_time.h"

namespace vexlo {

// Returns the listing: the head, then for each category 1 to 100 with a non-empty 标题 a line
// (CR LF, title, " 内容类型:", number), then the tail. First writes the empty 标题列表 key of section
// 内容类型 in the score book; then reads all hundred titles, with listIndex as the counter (101 after).
std::string listCategories(ExamState& state, RunTime& runTime);

// Stores `number`, unchecked and as typed, as the selected category (类型 of section 内容类型 in the
// bank) and returns the selection reply. A number holding a line break cannot add entries to the
// bank: the profile write refuses or cuts it.
std::string selectCategory(RunTime& runTime, std::string_view number);

}  // namespace vexlo
