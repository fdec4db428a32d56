// vexlo: a terminal host for the plugin, and tools for question-bank authors and admins.
#include <CLI/CLI.hpp>

#include "tools/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"Vexlo: a group-chat quiz plugin, its terminal host and question-bank tools"};
  app.require_subcommand(1);
  // Options are spelled --name on every platform: a path may start with "/" (under Wine, too), and
  // the sub-commands inherit this when they are added below.
  app.allow_windows_style_options(false);
  int exitCode = 0;
  vexlo::tools::addChatCommand(app, exitCode);
  vexlo::tools::addBankCommands(app, exitCode);
  vexlo::tools::addScoresCommand(app, exitCode);
  CLI11_PARSE(app, argc, argv);
  return exitCode;
}
