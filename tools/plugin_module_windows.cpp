// The plugin loader on Windows: LoadLibraryW, so that a folder outside the ANSI code page (say one
// named in Chinese on a Western system) still loads, and GetProcAddress; the reason a load fails is
// the system error number.
#include <windows.h>

#include <system_error>

#include "tools/plugin_module.h"

namespace vexlo {
namespace {

// `info` takes no arguments and is called the C way; `plugmain` removes its arguments from the
// stack itself (stdcall) on 32-bit Windows.
using InfoFunction = const char* (*)();
using PlugmainFunction = const char*(WINAPI*)(const char*, const char*, const char*, const char*,
                                              const char*);

std::string utf8Text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Through the generic function type, which any function pointer may be cast to and from.
template <typename Function>
Function exported(HMODULE module, const char* name) {
  using Generic = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)));
}

}  // namespace

struct PluginModule::Library {
  HMODULE module = nullptr;
  InfoFunction info = nullptr;
  PlugmainFunction plugmain = nullptr;
  ~Library() {
    if (module) FreeLibrary(module);
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
  // The wide form reaches any folder, whatever the code page can spell.
  const std::wstring name = std::filesystem::absolute(file, ec).wstring();
  library->module = LoadLibraryW(name.c_str());
  if (!library->module) {
    error = "cannot load " + utf8Text(file) + " (system error " + std::to_string(GetLastError()) +
            ")";
    return nullptr;
  }
  library->info = exported<InfoFunction>(library->module, "info");
  library->plugmain = exported<PlugmainFunction>(library->module, "plugmain");
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
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length < path.size() ? length : 0);
  return std::filesystem::path(path).parent_path();
}

}  // namespace vexlo
