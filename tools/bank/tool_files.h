// File access for the bank and score-book tools: finding the profile file the plugin reads from a
// run directory or a path, reading and writing whole files, and the terminal. One implementation
// file per platform (tool_files_posix.cpp, tool_files_windows.cpp); paths are the platform's own
// narrow spelling (UTF-8 on POSIX, the ANSI code page on Windows).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vexlo::tools {

// Where a profile file was looked for, and what was found there.
struct LocatedFile {
  std::string path;        // the file to read (or that would be read)
  std::string hostName;    // the file name the host reads, in this platform's spelling
  bool exists = false;     // a regular file is at `path`
  bool nameMatches = true; // the file name is the one the host reads (ASCII letters in any case)
};

// Finds a profile file of the plugin. `argument` is a run directory (the file is then
// <dir>/plugin/<name>, or <dir>/<name> when the directory is the plugin folder itself) or the
// path of a file. `gbkTail` is the path tail the plugin joins to its run directory, such as
// \plugin\Vexlo设置.ini in GBK.
LocatedFile locateProfileFile(std::string_view argument, std::string_view gbkTail);

// A path or command-line argument as UTF-8, for display and for texts typed on the command line.
std::string argumentAsUtf8(const std::string& text);

// Returns the bytes of the file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes `bytes` to `path` through a temporary file in the same folder renamed over the old file,
// so a reader never sees half a file. Returns false (and leaves `path` as it was) on failure.
bool writeWholeFile(const std::string& path, std::string_view bytes);

// Prepares standard output for UTF-8 text (on Windows: binary mode and a UTF-8 console).
void prepareUtf8Output();

// Writes UTF-8 text to standard output, or to standard error.
void writeOut(std::string_view utf8);
void writeError(std::string_view utf8);

}  // namespace vexlo::tools
