// The question-bank checker: finds what makes a bank misbehave in the plugin — a selection that
// names no category, counts that disagree with the lines, lines that do not split into a question
// and an answer, bytes the host cannot read — and the answers players can never score, or whose
// wrong answers the plugin never counts.
#pragma once

#include <string_view>
#include <vector>

#include "tools/bank/problems.h"

namespace vexlo::tools {

// Checks the bytes of a question bank as the host would read them (GBK, or a file with a UTF-8 or
// UTF-16 byte-order mark). Returns every problem found, in file order; errors are what breaks
// questions, warnings what only limits them.
std::vector<Problem> checkBank(std::string_view bytes);

}  // namespace vexlo::tools
