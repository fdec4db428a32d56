// The plugin loader on POSIX: dlopen/dlsym, with dlerror's text as the reason a load fails.
#include <dlfcn.h>

#include <system_error>

#include "tools/plugin_module.h"

namespace vexlo {
namespace {

using InfoFunction = const char* (*)();
using PlugmainFunction = const char* (*)(const char*, const char*, const char*, const char*,
                                         const char*);

std::string utf8Text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

struct PluginModule::Library {
  void* handle = nullptr;
  InfoFunction info = nullptr;
  PlugmainFunction plugmain = nullptr;
  ~Library() {
    if (handle) dlclose(handle);
  }
};

std::unique_ptr<PluginModule> PluginModule::load(const std::filesystem::path& file,
                                                 std::string& error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    error = "no plugin at " + utf8Text(file);
    return nullptr;
  }
  auto library = std::make_unique<Library>();
  // A path without a slash would make dlopen search the library path instead of this file.
  const std::string name = std::filesystem::absolute(file, ec).string();
  library->handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library->handle) {
    const char* reason = dlerror();
    error = "cannot load " + utf8Text(file) + ": " + (reason ? reason : "unknown reason");
    return nullptr;
  }
  library->info = reinterpret_cast<InfoFunction>(dlsym(library->handle, "info"));
  library->plugmain = reinterpret_cast<PlugmainFunction>(dlsym(library->handle, "plugmain"));
  if (!library->info || !library->plugmain) {
    error = utf8Text(file) + " is not a Vexlo plugin: it lacks the export " +
            (library->info ? "plugmain" : "info");
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(std::move(library)));
}

PluginModule::PluginModule(std::unique_ptr<Library> library) : library_(std::move(library)) {}
PluginModule::~PluginModule() = default;

const char* PluginModule::info() { return library_->info(); }

const char* PluginModule::plugmain(const char* message, const char* chatKind, const char* groupId,
                                   const char* senderId, const char* extra) {
  return library_->plugmain(message, chatKind, groupId, senderId, extra);
}

std::filesystem::path executableDirectory() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path(ec) : self.parent_path();
}

}  // namespace vexlo
