// The sub-commands of the vexlo tool. Each add function registers one command (or a group of them)
// on the application; when the command runs, it stores its process exit code in `exitCode`.
#pragma once

namespace CLI {
class App;
}

namespace vexlo::tools {

void addChatCommand(CLI::App& app, int& exitCode);    // vexlo chat
void addBankCommands(CLI::App& app, int& exitCode);   // vexlo bank check | import | export
void addScoresCommand(CLI::App& app, int& exitCode);  // vexlo scores

}  // namespace vexlo::tools
