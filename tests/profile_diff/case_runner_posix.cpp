// The case program on POSIX: the portable profile engine behind the platform seam, with plain
// POSIX paths.
#include "tests/profile_diff/case_runner.h"

#include "runtime/platform.h"

namespace vexlo::profile_diff {

char pathSeparator() { return '/'; }

void prepareOutput() {}

std::string readRaw(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& defaultText) {
  return platformProfileFiles().readValue(file, section, key, defaultText);
}

bool writeRaw(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value) {
  return platformProfileFiles().writeValue(file, section, key, value);
}

}  // namespace vexlo::profile_diff
