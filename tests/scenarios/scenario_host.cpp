// The scenario host: a small chat-robot host that loads the plugin from its own directory, lays out
// a fresh run directory, plays one scenario file through the real exports and checks every reply and
// every stated value of the two profile files. Mismatches are reported with the scenario file, the
// line of the step, and the expected and actual texts; the exit status is 0 only when all hold.
//
// Usage: scenario_host PLUGIN_FILE SCENARIO_FILE [NAME]
//   PLUGIN_FILE and SCENARIO_FILE lie in the host's own directory, which is the run directory;
//   NAME is how reports name the scenario (default: SCENARIO_FILE). On POSIX the plugin takes its
//   run directory from VEXLO_RUN_DIRECTORY when that is set, so run the host without it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/code_page.h"
#include "store/fixed_texts.h"
#include "tests/scenarios/scenario_file.h"
#include "tools/plugin_module.h"

namespace fs = std::filesystem;
using namespace vexlo::scenario;
using vexlo::PluginModule;

namespace {

// Shows GBK bytes as readable UTF-8, with CR, LF, tabs and invalid bytes escaped.
std::string show(const std::string& gbk) {
  std::string out;
  std::string pending;
  auto flush = [&] {
    if (pending.empty()) return;
    if (auto u = vexlo::gbkToUtf8(pending)) {
      out += *u;
    } else {
      char buf[8];
      for (unsigned char c : pending) {
        std::snprintf(buf, sizeof buf, "\\x%02X", c);
        out += buf;
      }
    }
    pending.clear();
  };
  for (char c : gbk) {
    const char* esc = c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\\' ? "\\\\" : nullptr;
    if (esc) {
      flush();
      out += esc;
    } else {
      pending += c;
    }
  }
  flush();
  return "\"" + out + "\"";
}

std::optional<std::string> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

// The on-disk file name of a path tail "\plugin\<name>": its UTF-8 spelling.
fs::path fileName(std::string_view tail) {
  std::string_view name = tail.substr(tail.find_last_of('\\') + 1);
  auto utf8 = vexlo::gbkToUtf8(name);
  if (!utf8) {
    std::fprintf(stderr, "cannot convert a fixed file name to UTF-8\n");
    std::exit(2);
  }
  return fs::path(std::u8string(utf8->begin(), utf8->end()));
}

class Runner {
 public:
  Runner(std::string name, fs::path runDirectory)
      : name_(std::move(name)),
        pluginFolder_(runDirectory / "plugin"),
        scoreBook_(pluginFolder_ / fileName(vexlo::texts::scoreBookTail)),
        bank_(pluginFolder_ / fileName(vexlo::texts::bankTail)) {}

  int failures() const { return failures_; }

  void prepare(const Scenario& scenario) {
    std::error_code ec;
    fs::remove_all(pluginFolder_, ec);
    if (scenario.pluginFolder) fs::create_directory(pluginFolder_);
  }

  void run(PluginModule& plugin, const Step& step) {
    switch (step.kind) {
      case StepKind::send: {
        auto arg = [](const std::optional<std::string>& a) { return a ? a->c_str() : nullptr; };
        const char* r = plugin.plugmain(arg(step.message), arg(step.chatKind), arg(step.groupId),
                                        arg(step.senderId), nullptr);
        checkReply(step, r ? std::string(r) : std::string(), "reply to | " + step.messageSource);
        break;
      }
      case StepKind::info: {
        const char* r = plugin.info();
        checkReply(step, r ? std::string(r) : std::string(), "description from info");
        break;
      }
      case StepKind::checkValue:
      case StepKind::checkKeyAbsent: {
        std::optional<std::string> actual;
        for (const Entry& e : entries(step.file))
          if (e.hasEquals && e.section == step.section && e.key == step.key) {
            actual = e.value;
            break;
          }
        std::string where = fileLabel(step.file) + " [" + show(step.section) + "] " + show(step.key);
        if (step.kind == StepKind::checkKeyAbsent) {
          if (actual) report(step, where, "absent", show(*actual));
        } else if (!actual || *actual != step.value) {
          report(step, where, show(step.value), actual ? show(*actual) : "absent");
        }
        break;
      }
      case StepKind::checkSectionAbsent: {
        bool present = false;
        if (auto bytes = readBytes(path(step.file)))
          for (const std::string& n : parseSections(*bytes)) present = present || n == step.section;
        if (present)
          report(step, fileLabel(step.file) + " section [" + show(step.section) + "]", "absent",
                 "present");
        break;
      }
      case StepKind::checkFileAbsent:
        if (fs::exists(path(step.file)))
          report(step, fileLabel(step.file), "no file", "the file exists");
        break;
      case StepKind::checkFolderAbsent:
        if (fs::exists(pluginFolder_)) report(step, "plugin folder", "absent", "it exists");
        break;
      case StepKind::checkExactly: {
        if (!fs::exists(path(step.file))) {
          report(step, fileLabel(step.file), "a file with the listed entries", "no file");
          break;
        }
        std::vector<Entry> actual = entries(step.file);
        std::sort(actual.begin(), actual.end());
        std::vector<Entry> missing, extra;
        std::set_difference(step.entries.begin(), step.entries.end(), actual.begin(), actual.end(),
                            std::back_inserter(missing));
        std::set_difference(actual.begin(), actual.end(), step.entries.begin(), step.entries.end(),
                            std::back_inserter(extra));
        auto list = [this](const std::vector<Entry>& v) {
          std::string s;
          for (const Entry& e : v) s += "\n      " + describe(e);
          return s.empty() ? std::string(" none") : s;
        };
        if (!missing.empty() || !extra.empty())
          report(step, fileLabel(step.file) + " entries", "missing:" + list(missing),
                 "unexpected:" + list(extra));
        break;
      }
      case StepKind::setValue: {
        std::string old = readBytes(path(step.file)).value_or(std::string());
        writeOrDie(step, setEntry(old, step.section, step.key, step.value));
        break;
      }
      case StepKind::writeFile:
        writeOrDie(step, step.content);
        break;
      case StepKind::deleteFile: {
        std::error_code ec;
        fs::remove(path(step.file), ec);
        break;
      }
    }
  }

 private:
  const fs::path& path(FileId f) const { return f == FileId::scoreBook ? scoreBook_ : bank_; }
  static std::string fileLabel(FileId f) { return f == FileId::scoreBook ? "score book" : "bank"; }

  std::vector<Entry> entries(FileId f) const {
    auto bytes = readBytes(path(f));
    return bytes ? parseEntries(*bytes) : std::vector<Entry>{};
  }

  static std::string describe(const Entry& e) {
    return "[" + show(e.section) + "] " + (e.hasEquals ? show(e.key) + " = " + show(e.value)
                                                       : "line without '=': " + show(e.key));
  }

  void writeOrDie(const Step& step, const std::string& bytes) {
    if (!writeBytes(path(step.file), bytes))
      report(step, "hand edit of the " + fileLabel(step.file), "written", "the write failed");
  }

  void checkReply(const Step& step, const std::string& actual, const std::string& what) {
    for (const std::string& r : step.replies)
      if (r == actual) return;
    std::string expected;
    for (const std::string& r : step.replies) expected += (expected.empty() ? "" : "\n   or     ") + show(r);
    report(step, what, expected, show(actual));
  }

  void report(const Step& step, const std::string& what, const std::string& expected,
              const std::string& actual) {
    ++failures_;
    std::printf("%s:%d: %s\n  expected: %s\n  actual:   %s\n", name_.c_str(), step.line, what.c_str(),
                expected.c_str(), actual.c_str());
    std::fflush(stdout);
  }

  std::string name_;
  fs::path pluginFolder_, scoreBook_, bank_;
  int failures_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: scenario_host PLUGIN_FILE SCENARIO_FILE [NAME]\n");
    return 2;
  }
  const fs::path runDirectory = vexlo::executableDirectory();
  const std::string name = argc > 3 ? argv[3] : argv[2];
  auto text = readBytes(runDirectory / argv[2]);
  if (!text) {
    std::fprintf(stderr, "%s: cannot read the scenario file\n", name.c_str());
    return 2;
  }
  std::string error;
  auto scenario = parseScenario(*text, error);
  if (!scenario) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
    return 2;
  }
  Runner runner(name, runDirectory);
  runner.prepare(*scenario);
  auto plugin = PluginModule::load(runDirectory / argv[1], error);
  if (!plugin) {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
    return 2;
  }
  for (const Step& step : scenario->steps) runner.run(*plugin, step);
  plugin.reset();
  if (runner.failures() > 0) {
    std::printf("%s: %d mismatch(es)\n", name.c_str(), runner.failures());
    return 1;
  }
  return 0;
}
