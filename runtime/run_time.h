// The run-time services one message uses: where the files are, how they are reached, the clock and
// the random numbers. The plugin keeps one RunTime for the process; tests build their own over a
// temporary run directory and a fake clock, with real files.
#pragma once

#include <string>

#include "runtime/platform.h"
#include "runtime/random.h"

namespace vexlo {

struct RunTime {
  std::string runDirectory;          // the host's directory, GBK, no trailing separator
  ProfileFiles* profiles = nullptr;  // never null once set up
  MillisecondClock clock;            // milliseconds since system start, modulo 2^32
  RandomSource random;

  // Returns a fresh copy of the run directory.
  std::string getRunDirectory() const { return runDirectory; }
};

}  // namespace vexlo
