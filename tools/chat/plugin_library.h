// The plugin as `vexlo chat` talks to it: texts in and out as std::string, loaded through the
// project's one plugin loader.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "tools/plugin_module.h"

namespace vexlo::chat {

// A loaded plugin. Texts are GBK; a null text from the plugin comes back as the empty text. Every
// returned text is copied before the next call, as a host must. Unloads the library on destruction.
class PluginLibrary {
 public:
  explicit PluginLibrary(std::unique_ptr<PluginModule> module);

  // Calls `info` and returns a copy of the description.
  std::string info();

  // Calls `plugmain` with the message and its context (extra: the empty text) and returns a copy
  // of the reply.
  std::string plugmain(std::string_view message, std::string_view chatKind,
                       std::string_view groupId, std::string_view senderId);

 private:
  std::unique_ptr<PluginModule> module_;
};

// Loads the plugin at `file`. On failure returns null and puts a one-line reason in `error` (the
// file is missing, cannot be loaded, or lacks one of the exports `info` and `plugmain`).
std::unique_ptr<PluginLibrary> loadPlugin(const std::filesystem::path& file, std::string& error);

}  // namespace vexlo::chat
