// The terminal host on POSIX: the environment for the plugin's run directory, plain byte streams for
// the terminal (which is expected to speak UTF-8).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <system_error>

#include "runtime/code_page.h"
#include "tools/chat/chat_platform.h"

namespace vexlo::chat {

std::filesystem::path pathFromArgument(const std::string& argument) { return argument; }

std::filesystem::path defaultPluginName() { return "libvexlo-plugin.so"; }

bool runDirectoryCanBeChosen() { return true; }

std::filesystem::path defaultRunDirectory() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
    return std::filesystem::path(data) / "vexlo" / "demo";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".local" / "share" / "vexlo" / "demo";
  }
  return "vexlo-demo";
}

void announceRunDirectory(const std::filesystem::path& directory) {
  setenv("VEXLO_RUN_DIRECTORY", directory.c_str(), 1);
}

// Profile paths are GBK texts that the POSIX profile files spell in UTF-8 on disk, so the folder
// is passed in its GBK spelling (as the plugin itself does with its run directory).
std::string profileRunDirectory(const std::filesystem::path& directory) {
  return utf8ToGbk(directory.string()).value_or(directory.string());
}

void prepareTerminal() {}

bool inputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

std::optional<std::string> readInputLine() {
  std::string line;
  if (!std::getline(std::cin, line)) {
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return line;
}

void writeOutput(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

}  // namespace vexlo::chat
