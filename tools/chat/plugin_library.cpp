// The plugin as `vexlo chat` talks to it: copies of its texts, never its own buffers.
#include "tools/chat/plugin_library.h"

namespace vexlo::chat {
namespace {

std::string copied(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

PluginLibrary::PluginLibrary(std::unique_ptr<PluginModule> module) : module_(std::move(module)) {}

std::string PluginLibrary::info() { return copied(module_->info()); }

std::string PluginLibrary::plugmain(std::string_view message, std::string_view chatKind,
                                    std::string_view groupId, std::string_view senderId) {
  const std::string m(message), k(chatKind), g(groupId), s(senderId), extra;
  return copied(module_->plugmain(m.c_str(), k.c_str(), g.c_str(), s.c_str(), extra.c_str()));
}

std::unique_ptr<PluginLibrary> loadPlugin(const std::filesystem::path& file, std::string& error) {
  std::unique_ptr<PluginModule> module = PluginModule::load(file, error);
  if (!module) return nullptr;
  return std::make_unique<PluginLibrary>(std::move(module));
}

}  // namespace vexlo::chat
