// The few platform facts the tool file access builds on (one implementation file per platform).
// Internal to tool_files.cpp.
#pragma once

#include <string>
#include <string_view>

namespace vexlo::tools::platform {

// The separator this platform's paths use between folders.
char pathSeparator();

// The spelling of a GBK file name on this platform's disks: UTF-8 on POSIX, GBK (the ANSI code
// page 936) on Windows. Empty when the name has no such spelling.
std::string fileNameSpelling(std::string_view gbkName);

// A path or command-line argument of this platform as UTF-8: unchanged on POSIX, converted from
// the ANSI code page (936 where the plugin runs) on Windows.
std::string argumentAsUtf8(const std::string& text);

// Whether `path` names an existing folder, or an existing regular file.
bool isDirectory(const std::string& path);
bool isRegularFile(const std::string& path);

// Renames `from` over `to`, replacing it. Returns false on failure.
bool replaceFile(const std::string& from, const std::string& to);

// A name for a temporary file beside `path`, unique to this process.
std::string temporaryNameBeside(const std::string& path);

// Puts standard output and standard error into a state that passes UTF-8 bytes unchanged.
void prepareUtf8Output();

}  // namespace vexlo::tools::platform
