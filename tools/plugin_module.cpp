// The plugin loader above the platform's dynamic loading: the checks and reasons of a failed load,
// the typed exports, and the calls.
#include "tools/plugin_module.h"

#include <system_error>

#include "host/exports.h"
#include "tools/system_library.h"

namespace vexlo {
namespace {

// The exports' own types, as the plugin declares them (stdcall plugmain on 32-bit Windows).
using InfoFunction = decltype(&::info);
using PlugmainFunction = decltype(&::plugmain);

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
    if (handle) system_library::close(handle);
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
  std::string reason;
  library->handle = system_library::open(file, reason);
  if (!library->handle) {
    error = "cannot load " + utf8Text(file) + reason;
    return nullptr;
  }
  library->info = reinterpret_cast<InfoFunction>(system_library::find(library->handle, "info"));
  library->plugmain =
      reinterpret_cast<PlugmainFunction>(system_library::find(library->handle, "plugmain"));
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

}  // namespace vexlo
