// The process-wide state of the plugin: set up when the module is loaded (static initialisation,
// which runs inside the platform's load notification) and torn down when it is unloaded.
#include "host/process_state.h"

#include <optional>

#include "runtime/platform.h"

namespace vexlo {

namespace {

struct ProcessState {
  ExamState exam;
  RunTime runTime;
};

std::optional<ProcessState>& slot() {
  static std::optional<ProcessState> state;
  return state;
}

ProcessState& current() {
  if (!slot()) {
    setUpExamState();
  }
  return *slot();
}

// Constructed at load, destroyed at orderly unload (after which `slot` itself goes).
struct LoadAndUnload {
  LoadAndUnload() { setUpExamState(); }
  ~LoadAndUnload() { tearDownExamState(); }
  LoadAndUnload(const LoadAndUnload&) = delete;
  LoadAndUnload& operator=(const LoadAndUnload&) = delete;
};
const LoadAndUnload loadAndUnload;

}  // namespace

void setUpExamState() {
  ProcessState& state = slot().emplace();
  state.runTime.runDirectory = platformRunDirectory();
  state.runTime.profiles = &platformProfileFiles();
  state.runTime.clock = platformMilliseconds;
}

void tearDownExamState() { slot().reset(); }

ExamState& processExamState() { return current().exam; }
RunTime& processRunTime() { return current().runTime; }

}  // namespace vexlo
