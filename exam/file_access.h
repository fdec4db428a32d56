// One-line access to a value of the score book or the question bank: each call composes the file's
// path anew from the run directory and goes to the file (nothing is cached).
#pragma once

#include <string>
#include <string_view>

#include "runtime/profile_access.h"
#include "runtime/run_time.h"
#include "store/file_paths.h"

namespace vexlo {

// Returns the score book's value of `key` in `section`, or the empty text when there is none.
inline std::string readScoreBook(RunTime& runTime, std::string_view section, std::string_view key) {
  return readProfileText(*runTime.profiles, scoreBookPath(runTime), section, key);
}

// As above, but `defaultText` when the key is missing (not when file, section or key is empty).
inline std::string readScoreBook(RunTime& runTime, std::string_view section, std::string_view key,
                                 std::string_view defaultText) {
  return readProfileText(*runTime.profiles, scoreBookPath(runTime), section, key, defaultText);
}

// Makes `key` of `section` in the score book hold `value`; a failed write is silent.
inline void writeScoreBook(RunTime& runTime, std::string_view section, std::string_view key,
                           std::string_view value) {
  writeProfileText(*runTime.profiles, scoreBookPath(runTime), section, key, value);
}

// Returns the question bank's value of `key` in `section`, or the empty text when there is none.
inline std::string readBank(RunTime& runTime, std::string_view section, std::string_view key) {
  return readProfileText(*runTime.profiles, bankPath(runTime), section, key);
}

// Makes `key` of `section` in the question bank hold `value`; a failed write is silent.
inline void writeBank(RunTime& runTime, std::string_view section, std::string_view key,
                      std::string_view value) {
  writeProfileText(*runTime.profiles, bankPath(runTime), section, key, value);
}

}  // namespace vexlo
