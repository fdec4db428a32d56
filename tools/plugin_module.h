// Loading the plugin library and calling its two exports `info` and `plugmain`, as a chat-robot host
// does: the one loader of `vexlo chat` and the scenario host. The common part (plugin_module.cpp)
// sits on one implementation file per platform (plugin_module_posix.cpp: dlopen;
// plugin_module_windows.cpp: LoadLibraryW) behind system_library.h; nothing above this header knows
// which.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vexlo {

// A loaded plugin library. Texts cross the boundary untouched, as NUL-terminated GBK strings.
// Unloads the library on destruction; the texts it returned are no longer valid afterwards.
class PluginModule {
 public:
  // Loads the library at `file` (any path, whatever characters its folders hold) and finds its
  // exports. On failure returns null and puts a one-line reason in `error`, naming the file: it is
  // missing, the system cannot load it (with the system's reason), or it lacks `info` or `plugmain`.
  static std::unique_ptr<PluginModule> load(const std::filesystem::path& file, std::string& error);

  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Calls `info`; the result, possibly null, stays valid until its next call.
  const char* info();

  // Calls `plugmain` with the arguments as given (each may be null); the result, possibly null,
  // stays valid until its next call.
  const char* plugmain(const char* message, const char* chatKind, const char* groupId,
                       const char* senderId, const char* extra);

 private:
  struct Library;
  explicit PluginModule(std::unique_ptr<Library> library);
  std::unique_ptr<Library> library_;
};

// The folder that holds the running executable (the working folder when the system cannot say).
std::filesystem::path executableDirectory();

}  // namespace vexlo
