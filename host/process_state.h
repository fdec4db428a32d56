// The one process-wide ExamState and RunTime of the plugin, from load to orderly unload.
// Not thread-safe: the host delivers one message at a time.
#pragma once

#include "exam/exam_state.h"
#include "runtime/run_time.h"

namespace vexlo {

// Makes a fresh ExamState (every text empty, every number 0, questionParts an empty array) and a
// RunTime over the platform: the run directory fixed at load, the platform's profile files and
// millisecond clock, a random source whose accumulator starts at 0. Reads no file. Runs at load.
void setUpExamState();

// Releases everything the process state holds; the texts last returned by the exports are no
// longer valid afterwards. Runs at orderly unload.
void tearDownExamState();

// The process state. REQUIRES: set up (it is, from load on); a call after the tear-down sets it up
// afresh.
ExamState& processExamState();
RunTime& processRunTime();

}  // namespace vexlo
