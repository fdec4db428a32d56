// The terminal host on POSIX: dlopen for the plugin, the environment for its run directory, plain
// byte streams for the terminal (which is expected to speak UTF-8).
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <system_error>

#include "runtime/code_page.h"
#include "tools/chat/chat_platform.h"

namespace vexlo::chat {
namespace {

using InfoFunction = const char* (*)();
using PlugmainFunction = const char* (*)(const char*, const char*, const char*, const char*,
                                         const char*);

class PosixPlugin final : public PluginLibrary {
 public:
  PosixPlugin(void* handle, InfoFunction infoFunction, PlugmainFunction plugmainFunction)
      : handle_(handle), info_(infoFunction), plugmain_(plugmainFunction) {}
  ~PosixPlugin() override { dlclose(handle_); }
  PosixPlugin(const PosixPlugin&) = delete;
  PosixPlugin& operator=(const PosixPlugin&) = delete;

  std::string info() override {
    const char* text = info_();
    return text ? std::string(text) : std::string();
  }

  std::string plugmain(std::string_view message, std::string_view chatKind,
                       std::string_view groupId, std::string_view senderId) override {
    const std::string m(message), k(chatKind), g(groupId), s(senderId), extra;
    const char* reply = plugmain_(m.c_str(), k.c_str(), g.c_str(), s.c_str(), extra.c_str());
    return reply ? std::string(reply) : std::string();
  }

 private:
  void* handle_;
  InfoFunction info_;
  PlugmainFunction plugmain_;
};

}  // namespace

std::unique_ptr<PluginLibrary> loadPlugin(const std::filesystem::path& file, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    error = "no plugin at " + pathText(file);
    return nullptr;
  }
  // A path without a slash would make dlopen search the library path instead of this file.
  const std::string name = std::filesystem::absolute(file, ec).string();
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = dlerror();
    error = "cannot load " + pathText(file) + ": " + (reason ? reason : "unknown reason");
    return nullptr;
  }
  void* infoSymbol = dlsym(handle, "info");
  void* plugmainSymbol = dlsym(handle, "plugmain");
  if (!infoSymbol || !plugmainSymbol) {
    dlclose(handle);
    error = pathText(file) + " is not a Vexlo plugin: it lacks the export " +
            (infoSymbol ? "plugmain" : "info");
    return nullptr;
  }
  return std::make_unique<PosixPlugin>(handle, reinterpret_cast<InfoFunction>(infoSymbol),
                                       reinterpret_cast<PlugmainFunction>(plugmainSymbol));
}

std::filesystem::path pathFromArgument(const std::string& argument) { return argument; }

std::filesystem::path defaultPluginName() { return "libvexlo-plugin.so"; }

std::filesystem::path executableDirectory() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : self.parent_path();
}

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
