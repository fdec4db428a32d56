// The command `vexlo scores`: the leaderboard of a score book.
#include <CLI/CLI.hpp>

#include "store/fixed_texts.h"
#include "tools/bank/tool_files.h"
#include "tools/commands.h"
#include "tools/scores/score_board.h"

namespace vexlo::tools {

namespace {

struct ScoresOptions {
  std::string path;
  std::string sort = "points";
  std::size_t top = 0;
  bool csv = false;
};

ScoreColumn columnNamed(const std::string& name) {
  if (name == "right") return ScoreColumn::Right;
  if (name == "wrong") return ScoreColumn::Wrong;
  if (name == "accuracy") return ScoreColumn::Accuracy;
  if (name == "level") return ScoreColumn::Level;
  if (name == "sender") return ScoreColumn::Sender;
  return ScoreColumn::Points;
}

int runScores(const ScoresOptions& options) {
  prepareUtf8Output();
  const LocatedFile located = locateProfileFile(options.path, texts::scoreBookTail);
  const std::optional<std::string> bytes =
      located.exists ? readWholeFile(located.path) : std::nullopt;
  if (!bytes) {
    writeError("vexlo scores: there is no score book at " + argumentAsUtf8(located.path) + "\n");
    return 1;
  }
  std::vector<ScoreRow> rows = readScoreBook(*bytes);
  const ScoreColumn column = columnNamed(options.sort);
  sortRows(rows, column);
  writeOut(options.csv ? scoreCsv(rows, column, options.top) : scoreTable(rows, column, options.top));
  return 0;
}

}  // namespace

void addScoresCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<ScoresOptions>();
  CLI::App* scores = app.add_subcommand("scores", "Show the leaderboard of a score book");
  scores->allow_windows_style_options(false);  // a path may start with "/"
  scores->add_option("path", options->path,
                     "The run directory (whose plugin folder holds the score book) or a score "
                     "book file; default: the current directory");
  scores->add_option("--sort", options->sort, "The column to sort by (highest first)")
      ->check(CLI::IsMember({"points", "right", "wrong", "accuracy", "level", "sender"}));
  scores->add_option("--top", options->top, "Show only the first N rows");
  scores->add_flag("--csv", options->csv, "Write CSV instead of a table");
  scores->callback([options, &exitCode] { exitCode = runScores(*options); });
}

}  // namespace vexlo::tools
