// `vexlo chat`: a terminal host for the plugin. It loads the plugin through its two exports, shows
// its description, and passes each typed line to `plugmain` as the text after the trigger word.
// With standard input not a terminal it reads a script and echoes each line before its reply.
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <system_error>

#include "runtime/code_page.h"
#include "store/fixed_texts.h"
#include "tools/chat/chat_platform.h"
#include "tools/chat/chat_session.h"
#include "tools/chat/plugin_library.h"
#include "tools/chat/run_directory.h"
#include "tools/commands.h"

namespace vexlo::tools {
namespace {

struct ChatOptions {
  std::string plugin;
  std::string directory;
};

std::string shown(std::string_view gbk) { return gbkToUtf8(gbk).value_or(std::string()); }

int fail(std::string_view message) {
  std::cerr << "vexlo chat: " << message << "\n";
  return 1;
}

int runChat(const ChatOptions& options) {
  using namespace vexlo::chat;
  prepareTerminal();
  const bool interactive = inputIsTerminal();

  // The run directory: chosen, or the default one, which is made when missing.
  std::filesystem::path directory;
  std::error_code ec;
  if (!options.directory.empty()) {
    if (!runDirectoryCanBeChosen()) {
      return fail("--dir is not available here: the plugin keeps its files in plugin\\ beside "
                  "vexlo.exe (" + pathText(executableDirectory()) + ")");
    }
    directory = std::filesystem::absolute(pathFromArgument(options.directory), ec);
  } else {
    directory = defaultRunDirectory();
    if (directory.is_relative()) directory = std::filesystem::absolute(directory, ec);
  }
  const PreparedRunDirectory prepared = prepareRunDirectory(
      directory, options.directory.empty(), findSampleBank(executableDirectory()));
  if (!prepared.ok) return fail(prepared.error);

  // The plugin, loaded only once it can find its run directory.
  std::filesystem::path pluginFile = options.plugin.empty()
                                         ? executableDirectory() / defaultPluginName()
                                         : pathFromArgument(options.plugin);
  pluginFile = std::filesystem::absolute(pluginFile, ec);
  announceRunDirectory(directory);
  std::string error;
  std::unique_ptr<PluginLibrary> plugin = loadPlugin(pluginFile, error);
  if (!plugin) return fail(error);

  ChatSession session(*plugin, profileRunDirectory(directory));
  std::string banner = session.description();
  if (interactive) {
    banner += "\n" + prepared.notes;
    banner += "Vexlo chat: you play the quiz as a member of a chat group.\n";
    banner += "  plugin:        " + pathText(pluginFile) + "\n";
    banner += "  run directory: " + pathText(directory) +
              " (question bank and score book in plugin/)\n";
    banner += session.whoAmI() + "\n";
    banner += "Type " + shown(texts::drawCommand) + " for a question, then your answer.\n";
    banner += "  " + shown(texts::hintCommand) + " shows the answer, " + shown(texts::listCommand) +
              " lists the categories, " + shown(texts::helpCommand) + " the plugin's commands.\n";
    banner += "Type /help for the host's commands, /quit to leave.\n";
  } else if (!prepared.notes.empty()) {
    std::cerr << prepared.notes;
  }
  writeOutput(banner);

  for (;;) {
    if (interactive) writeOutput(session.prompt());
    std::optional<std::string> line = readInputLine();
    if (!line) {
      if (interactive) writeOutput("\n");
      break;
    }
    if (!interactive) writeOutput(session.prompt() + *line + "\n");
    const ChatSession::Outcome outcome = session.handle(*line);
    writeOutput(outcome.output);
    if (outcome.quit) break;
  }
  return 0;
}

}  // namespace

void addChatCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<ChatOptions>();
  CLI::App* chat = app.add_subcommand(
      "chat",
      "Play the quiz in the terminal: each line you type goes to the plugin as a chat message "
      "after @Vexlo, and its reply is shown. With input from a file or pipe, each line is echoed "
      "before its reply.");
  chat->add_option("--plugin", options->plugin,
                   "The plugin library to load (default: the one built beside vexlo)");
  chat->add_option("--dir", options->directory,
                   "The run directory; its plugin/ folder holds the question bank and the score "
                   "book (default: a demo directory, made on first use with the sample bank; on "
                   "Windows always the folder of vexlo.exe)");
  chat->callback([options, &exitCode] { exitCode = runChat(*options); });
}

}  // namespace vexlo::tools
