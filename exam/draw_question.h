// Drawing a random question of the selected category from the question bank into ExamState.
#pragma once

#include "exam/exam_state.h"
#include "runtime/run_time.h"

namespace vexlo {

// Draws a question of the category named by 类型 in section 内容类型 of the bank and leaves it in
// `state`. Always empties questionText and answeredMark and stores currentCategory. Stops there when
// no category is selected (empty or "0"). Otherwise sets the title, count, kind, a number from 1 to
// the count (clock-seeded; 0 or 1 when the count is below 1), the line of that number and its parts
// at "|"; questionText and currentAnswer are set only when the line has exactly two parts, so a
// missing or malformed line keeps the previous answer. Reports nothing; every bank read goes to the
// file.
void drawQuestion(ExamState& state, RunTime& runTime);

}  // namespace vexlo
