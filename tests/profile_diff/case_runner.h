// What the case program needs from one platform: one profile value read or written exactly as the
// platform's raw profile functions do it (no guard of the plugin's own in between), and the
// platform's path separator.
#pragma once

#include <string>
#include <string_view>

namespace vexlo::profile_diff {

// The separator that joins a folder and a name in a path given to the functions below.
char pathSeparator();

// Makes standard output carry bytes unchanged (no line-end translation).
void prepareOutput();

// Returns what a read of `key` in `section` of `file` gives, with `defaultText` as the default,
// through a buffer of 10240 bytes.
std::string readRaw(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& defaultText);

// Writes one value; returns the platform's success flag.
bool writeRaw(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value);

}  // namespace vexlo::profile_diff
