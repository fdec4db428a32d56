// The platform seam: everything the plugin needs from the operating system, behind one small
// interface with one implementation file per platform (platform_windows.cpp, platform_posix.cpp),
// chosen by the build. Nothing above this header knows which platform it runs on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexlo {

// Reading and writing one value of a profile (INI) file, as the platform does it. File, section and
// key names and values are GBK texts passed byte for byte; file names are Windows paths
// ("<run directory>\plugin\<name>.ini"), which a POSIX implementation maps to its own spelling.
// Every call is one complete access of the file: nothing is cached between calls.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // Returns the value of `key` in the first section named `section` of `file`: at most 10239
  // bytes, never cut inside a double-byte character. Returns `defaultText` when the file, the
  // section or the key is absent. REQUIRES: file, section and key are not empty.
  virtual std::string readValue(std::string_view file, std::string_view section,
                                std::string_view key, std::string_view defaultText) = 0;

  // Makes `key` of `section` hold `value` (creating the file or the section when missing, never a
  // folder). Returns false when the write failed; the file is then as it was.
  virtual bool writeValue(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view value) = 0;
};

// The platform's profile files: the system's profile functions on Windows, our portable engine
// elsewhere. Lives for the whole process.
ProfileFiles& platformProfileFiles();

// The directory of the host's executable, as a GBK text without a trailing separator, fixed when
// the module is loaded (on POSIX, the environment variable VEXLO_RUN_DIRECTORY, read once at load,
// takes its place when set). Empty when it cannot be found.
const std::string& platformRunDirectory();

// Milliseconds since the system started, reduced modulo 2^32.
std::uint32_t platformMilliseconds();

// Reports a fatal fault (exhausted memory, an element beyond the end of an array) and ends the
// process at once: a message box without owner on Windows, a line on standard error elsewhere.
[[noreturn]] void platformFatalFault(std::string_view message);

}  // namespace vexlo
