// The case program on Windows: the system's profile functions, called directly.
#include "tests/profile_diff/case_runner.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace vexlo::profile_diff {

char pathSeparator() { return '\\'; }

void prepareOutput() { _setmode(_fileno(stdout), _O_BINARY); }

std::string readRaw(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& defaultText) {
  constexpr DWORD kSize = 10240;
  std::string buffer(kSize, '\0');
  const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(),
                                               buffer.data(), kSize, file.c_str());
  buffer.resize(count < kSize ? count : kSize - 1);
  return buffer;
}

bool writeRaw(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
         FALSE;
}

}  // namespace vexlo::profile_diff
