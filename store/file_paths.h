// Where the two profile files are and how a category's section is named. Paths are composed anew
// for every access from the run directory, so nothing of a path outlives one access.
#pragma once

#include <string>
#include <string_view>

#include "runtime/run_time.h"

namespace vexlo {

// Returns the run directory followed by \plugin\Vexlo积分.ini (GBK).
std::string scoreBookPath(const RunTime& runTime);

// Returns the run directory followed by \plugin\Vexlo设置.ini (GBK).
std::string bankPath(const RunTime& runTime);

// Returns 问题内容 followed directly by `number`, unchanged (so "02" names 问题内容02).
std::string categorySection(std::string_view number);

}  // namespace vexlo
