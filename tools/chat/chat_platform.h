// What the terminal host needs from the operating system: the terminal, and where the plugin keeps
// its files (the plugin itself is loaded by tools/plugin_module.h). One implementation file per
// platform (chat_platform_posix.cpp, chat_platform_windows.cpp); nothing above this header knows
// which.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tools/plugin_module.h"

namespace vexlo::chat {

// A path from UTF-8 text, and the UTF-8 text of a path, on every platform.
inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string pathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A path given on the command line (on Windows the arguments are in the ANSI code page).
std::filesystem::path pathFromArgument(const std::string& argument);

// The file name of the plugin that the build puts beside the vexlo executable.
std::filesystem::path defaultPluginName();

// Whether the run directory can be chosen: on POSIX the plugin takes it from the environment, on
// Windows it always uses the folder of the host executable.
bool runDirectoryCanBeChosen();

// The run directory used when none is given: a demo folder in the user's data folder on POSIX,
// the folder of vexlo.exe on Windows.
std::filesystem::path defaultRunDirectory();

// Makes the plugin about to be loaded use `directory` as its run directory (POSIX: sets
// VEXLO_RUN_DIRECTORY). Call before loading the plugin.
void announceRunDirectory(const std::filesystem::path& directory);

// The run directory as the plugin's profile access expects it (a text without trailing separator),
// for reading the same files the plugin reads.
std::string profileRunDirectory(const std::filesystem::path& directory);

// Prepares standard input and output for UTF-8 text (binary pipes, a Unicode console).
void prepareTerminal();

// Whether standard input is an interactive terminal (otherwise it is read as a script).
bool inputIsTerminal();

// Reads one line of standard input as UTF-8, without its line end (a CR before the LF is dropped).
// Returns nothing at the end of input.
std::optional<std::string> readInputLine();

// Writes UTF-8 text to standard output and flushes it.
void writeOutput(std::string_view utf8);

}  // namespace vexlo::chat
