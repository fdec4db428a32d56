// The command `vexlo bank`: check | import | export, for the authors of question banks.
#include <CLI/CLI.hpp>

#include "store/fixed_texts.h"
#include "tools/bank/bank_check.h"
#include "tools/bank/bank_import.h"
#include "tools/bank/tool_files.h"
#include "tools/commands.h"

namespace vexlo::tools {

namespace {

struct CheckOptions {
  std::string path;
  bool json = false;
};

struct ImportOptions {
  std::string source;
  std::string destination;
  std::string format;
  std::string selection;
  bool force = false;
  bool quiet = false;
};

struct ExportOptions {
  std::string bank;
  std::string destination;
};

Problem fileProblem(std::string message) {
  return {Severity::Error, "file", "", "", 0, 0, std::move(message)};
}

void show(std::string_view file, const std::vector<Problem>& problems, bool json) {
  if (json) {
    writeOut(problemsAsJson(file, problems));
  } else if (!problems.empty()) {
    writeOut(problemsAsText(file, problems));
  }
}

int runCheck(const CheckOptions& options) {
  prepareUtf8Output();
  const LocatedFile located = locateProfileFile(options.path, texts::bankTail);
  const std::string shownPath = argumentAsUtf8(located.path);
  std::vector<Problem> problems;
  std::optional<std::string> bytes;
  if (!located.exists) {
    problems.push_back(fileProblem("there is no bank file here (the host reads plugin/" +
                                   argumentAsUtf8(located.hostName) + " in its own folder)"));
  } else if (!(bytes = readWholeFile(located.path))) {
    problems.push_back(fileProblem("the file cannot be read"));
  } else {
    if (!located.nameMatches) {
      problems.push_back(fileProblem("the host reads only a file named " +
                                     argumentAsUtf8(located.hostName) +
                                     " in its plugin folder; it will not read this one"));
    }
    const std::vector<Problem> found = checkBank(*bytes);
    problems.insert(problems.end(), found.begin(), found.end());
  }
  if (options.json) {
    show(shownPath, problems, true);
  } else {
    writeOut(problemsAsText(shownPath, problems));
  }
  return countOf(problems, Severity::Error) > 0 ? 1 : 0;
}

int runImport(const ImportOptions& options) {
  prepareUtf8Output();
  const std::string shownSource = argumentAsUtf8(options.source);
  const std::string shownDestination = argumentAsUtf8(options.destination);
  const std::optional<std::string> source = readWholeFile(options.source);
  if (!source) {
    writeError("vexlo bank import: cannot read " + shownSource + "\n");
    return 1;
  }
  SourceFormat format = sourceFormatOf(shownSource);
  if (options.format == "ini") format = SourceFormat::Ini;
  if (options.format == "csv") format = SourceFormat::Csv;
  if (options.format == "tsv") format = SourceFormat::Tsv;
  const BankBuild build = importBank(*source, format, argumentAsUtf8(options.selection));
  if (!options.quiet || countOf(build.problems, Severity::Error) > 0) {
    show(shownSource, build.problems, false);
  }
  if (countOf(build.problems, Severity::Error) > 0) {
    writeError("vexlo bank import: nothing written\n");
    return 1;
  }
  std::vector<Problem> checked = checkBank(build.bytes);
  if (!options.quiet || countOf(checked, Severity::Error) > 0) {
    writeOut(problemsAsText(shownDestination, checked));
  }
  if (countOf(checked, Severity::Error) > 0 && !options.force) {
    writeError("vexlo bank import: the bank has errors; nothing written (--force writes it anyway)\n");
    return 1;
  }
  if (!writeWholeFile(options.destination, build.bytes)) {
    writeError("vexlo bank import: cannot write " + shownDestination + "\n");
    return 1;
  }
  return countOf(checked, Severity::Error) > 0 ? 1 : 0;  // written with --force, still in error
}

int runExport(const ExportOptions& options) {
  prepareUtf8Output();
  const LocatedFile located = locateProfileFile(options.bank, texts::bankTail);
  const std::string shownPath = argumentAsUtf8(located.path);
  const std::optional<std::string> bytes =
      located.exists ? readWholeFile(located.path) : std::nullopt;
  if (!bytes) {
    writeError("vexlo bank export: cannot read " + shownPath + "\n");
    return 1;
  }
  const BankBuild build = exportBank(*bytes);
  show(shownPath, build.problems, false);
  if (countOf(build.problems, Severity::Error) > 0) {
    writeError("vexlo bank export: nothing written\n");
    return 1;
  }
  if (!writeWholeFile(options.destination, build.bytes)) {
    writeError("vexlo bank export: cannot write " + argumentAsUtf8(options.destination) + "\n");
    return 1;
  }
  return 0;
}

}  // namespace

void addBankCommands(CLI::App& app, int& exitCode) {
  CLI::App* bank = app.add_subcommand("bank", "Check, import and export question banks");
  bank->require_subcommand(1);
  // Paths may start with "/" (under Wine, or typed the POSIX way): never take them for options.
  bank->allow_windows_style_options(false);

  auto check = std::make_shared<CheckOptions>();
  CLI::App* checkCommand = bank->add_subcommand(
      "check", "Report every problem of a question bank; exits 1 when there is an error");
  checkCommand->add_option("path", check->path,
                           "The run directory (whose plugin folder holds the bank the host reads) or "
                           "a bank file; default: the current directory");
  checkCommand->add_flag("--json", check->json, "Report as JSON");
  checkCommand->callback([check, &exitCode] { exitCode = runCheck(*check); });

  auto import = std::make_shared<ImportOptions>();
  CLI::App* importCommand = bank->add_subcommand(
      "import", "Build a GBK question bank from a UTF-8 source (INI, CSV or TSV), then check it");
  importCommand->add_option("source", import->source, "The UTF-8 source file")->required();
  importCommand->add_option("-o,--output", import->destination, "The bank file to write")->required();
  importCommand->add_option("--format", import->format, "ini, csv or tsv (default: by extension)")
      ->check(CLI::IsMember({"ini", "csv", "tsv"}));
  importCommand->add_option("--select", import->selection,
                            "The category questions are drawn from (default: the source's own, "
                            "else the first category)");
  importCommand->add_flag("--force", import->force, "Write the bank even when the check finds errors");
  importCommand->add_flag("-q,--quiet", import->quiet, "Say nothing when the bank has no error");
  importCommand->callback([import, &exitCode] { exitCode = runImport(*import); });

  auto exporting = std::make_shared<ExportOptions>();
  CLI::App* exportCommand =
      bank->add_subcommand("export", "Write a question bank back as UTF-8 INI source");
  exportCommand->add_option("bank", exporting->bank,
                            "The run directory or the bank file; default: the current directory");
  exportCommand->add_option("-o,--output", exporting->destination, "The UTF-8 source to write")
      ->required();
  exportCommand->callback([exporting, &exitCode] { exitCode = runExport(*exporting); });
}

}  // namespace vexlo::tools
