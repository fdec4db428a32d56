// Loading the plugin through the platform's dynamic loader, as a chat-robot host does.
#include "tests/scenarios/plugin_module.h"

#ifdef _WIN32
#include <windows.h>
#define VEXLO_STDCALL __stdcall
#else
#include <dlfcn.h>
#include <stdlib.h>
#define VEXLO_STDCALL
#endif

namespace vexlo::scenario {

using InfoFunction = const char* (*)();
using PlugmainFunction = const char*(VEXLO_STDCALL*)(const char*, const char*, const char*,
                                                      const char*, const char*);

struct PluginModule::Handle {
#ifdef _WIN32
  HMODULE module = nullptr;
  ~Handle() {
    if (module) FreeLibrary(module);
  }
  void* symbol(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(module, name));
  }
#else
  void* module = nullptr;
  ~Handle() {
    if (module) dlclose(module);
  }
  void* symbol(const char* name) { return dlsym(module, name); }
#endif
  InfoFunction info = nullptr;
  PlugmainFunction plugmain = nullptr;
};

std::unique_ptr<PluginModule> PluginModule::load(const std::filesystem::path& path,
                                                 std::string& error) {
  auto handle = std::make_unique<Handle>();
#ifdef _WIN32
  handle->module = LoadLibraryW(path.wstring().c_str());
  if (!handle->module) {
    error = "LoadLibrary failed with error " + std::to_string(GetLastError()) + " for " + path.string();
    return nullptr;
  }
#else
  // The plugin then takes the directory of this program as its run directory, as it would for a host.
  unsetenv("VEXLO_RUN_DIRECTORY");
  handle->module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle->module) {
    const char* why = dlerror();
    error = why ? why : "dlopen failed";
    return nullptr;
  }
#endif
  handle->info = reinterpret_cast<InfoFunction>(handle->symbol("info"));
  handle->plugmain = reinterpret_cast<PlugmainFunction>(handle->symbol("plugmain"));
  if (!handle->info || !handle->plugmain) {
    error = "the library lacks the export info or plugmain: " + path.string();
    return nullptr;
  }
  return std::unique_ptr<PluginModule>(new PluginModule(std::move(handle)));
}

PluginModule::PluginModule(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
PluginModule::~PluginModule() = default;

const char* PluginModule::info() { return handle_->info(); }

const char* PluginModule::plugmain(const char* message, const char* chatKind, const char* groupId,
                                   const char* senderId, const char* extra) {
  return handle_->plugmain(message, chatKind, groupId, senderId, extra);
}

std::filesystem::path ownDirectory() {
#ifdef _WIN32
  std::wstring buffer(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(n);
  return std::filesystem::path(buffer).parent_path();
#else
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
#endif
}

}  // namespace vexlo::scenario
