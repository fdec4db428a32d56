// Loading the plugin the way a chat-robot host does, and the one place of the scenario host that
// differs between Linux and Windows: dlopen/dlsym there, LoadLibrary/GetProcAddress here.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vexlo::scenario {

class PluginModule {
 public:
  // Loads the library at `path` and finds its exports `info` and `plugmain`. Returns nothing and
  // sets `error` when the library cannot be loaded or lacks an export.
  static std::unique_ptr<PluginModule> load(const std::filesystem::path& path, std::string& error);

  // Unloads the library; the texts it returned are no longer valid afterwards.
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Calls the export `info`; the result stays valid until its next call.
  const char* info();

  // Calls the export `plugmain`; the result (possibly null) stays valid until its next call.
  const char* plugmain(const char* message, const char* chatKind, const char* groupId,
                       const char* senderId, const char* extra);

 private:
  struct Handle;
  explicit PluginModule(std::unique_ptr<Handle> handle);
  std::unique_ptr<Handle> handle_;
};

// Returns the directory of the running executable, which the plugin takes as its run directory.
std::filesystem::path ownDirectory();

}  // namespace vexlo::scenario
