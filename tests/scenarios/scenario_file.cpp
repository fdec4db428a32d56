// Parsing of scenario files, and the views of profile-file bytes that the checks and the hand edits
// of a scenario need (through the project's portable profile engine).
#include "tests/scenarios/scenario_file.h"

#include <algorithm>
#include <sstream>

#include "runtime/code_page.h"
#include "runtime/profile_document.h"
#include "tests/common/escaped_text.h"

namespace vexlo::scenario {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

// Turns a written text (UTF-8 with escapes) into GBK bytes.
std::optional<std::string> toGbk(std::string_view written, std::string& error) {
  std::string out, literal;
  auto flush = [&]() -> bool {
    if (literal.empty()) return true;
    auto gbk = utf8ToGbk(literal);
    if (!gbk) {
      error = "text not representable in GBK: " + literal;
      return false;
    }
    out += *gbk;
    literal.clear();
    return true;
  };
  for (std::size_t i = 0; i < written.size(); ++i) {
    char c = written[i];
    if (c != '\\') {
      literal += c;
      continue;
    }
    if (i + 1 >= written.size()) {
      error = "a lone backslash ends the text";
      return std::nullopt;
    }
    std::size_t next = i + 1;
    const test_text::CommonEscape common = test_text::readCommonEscape(written, next);
    char byte = 0;
    if (common.kind == test_text::CommonEscape::Kind::Byte) {
      byte = common.byte;
    } else if (common.kind == test_text::CommonEscape::Kind::BadHex) {
      error = "\\x needs two hex digits";
      return std::nullopt;
    } else if (written[next] == 's') {
      byte = ' ';
      ++next;
    } else {
      error = std::string("unknown escape \\") + written[next];
      return std::nullopt;
    }
    i = next - 1;
    if (!flush()) return std::nullopt;
    out += byte;
  }
  if (!flush()) return std::nullopt;
  return out;
}

// A word of the send line: "" is the empty text, ~ a null pointer.
std::optional<std::optional<std::string>> argumentWord(const std::string& word, std::string& error) {
  if (word == "~") return std::optional<std::string>{};
  if (word == "\"\"") return std::optional<std::string>{std::string()};
  auto gbk = toGbk(word, error);
  if (!gbk) return std::nullopt;
  return std::optional<std::string>{*gbk};
}

std::vector<std::string> words(std::string_view s) {
  std::vector<std::string> out;
  std::istringstream in{std::string(s)};
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

}  // namespace

std::vector<Entry> parseEntries(const std::string& bytes) {
  std::vector<Entry> out;
  const ProfileDocument document = ProfileDocument::parse(bytes);
  for (const ProfileSection& section : document.sections())
    for (const ProfileEntry& e : section.entries)
      out.push_back(Entry{section.name, e.key, e.value, e.hasValue});
  return out;
}

std::vector<std::string> parseSections(const std::string& bytes) {
  std::vector<std::string> out;
  const ProfileDocument document = ProfileDocument::parse(bytes);
  for (const ProfileSection& section : document.sections())
    if (section.hasHeader) out.push_back(section.name);
  return out;
}

std::string setEntry(const std::string& bytes, const std::string& section, const std::string& key,
                     const std::string& value) {
  return ProfileDocument::parse(bytes).withValue(section, key, value).value_or(bytes);
}

std::optional<Scenario> parseScenario(const std::string& text, std::string& error) {
  Scenario scenario;
  std::vector<std::string> lines;
  {
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      lines.push_back(l);
    }
  }
  auto fail = [&](std::size_t i, const std::string& what) {
    error = "line " + std::to_string(i + 1) + ": " + what;
    return std::nullopt;
  };
  auto fileOf = [](const std::string& w) -> std::optional<FileId> {
    if (w == "score") return FileId::scoreBook;
    if (w == "bank") return FileId::bank;
    return std::nullopt;
  };
  // Reads a block after line i up to "end"; returns its GBK text joined with CR LF.
  auto readBlock = [&](std::size_t& i, std::string& out) -> bool {
    std::size_t start = i;
    for (++i; i < lines.size(); ++i) {
      std::string t = trim(lines[i]);
      if (t == "end") return true;
      auto gbk = toGbk(t, error);
      if (!gbk) {
        error = "line " + std::to_string(i + 1) + ": " + error;
        return false;
      }
      out += *gbk + "\r\n";
    }
    error = "line " + std::to_string(start + 1) + ": block without \"end\"";
    return false;
  };

  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& raw = lines[i];
    std::string t = trim(raw);
    if (t.empty() || t[0] == '#') continue;
    Step step;
    step.line = static_cast<int>(i + 1);

    if (t == "no plugin folder") {
      scenario.pluginFolder = false;
      continue;
    }
    if (startsWith(t, "<") || t == "or") return fail(i, "a reply line without a message before it");

    if (startsWith(t, ">") || t == "info") {
      if (t == "info") {
        step.kind = StepKind::info;
      } else {
        std::size_t bar = t.find('|');
        if (bar == std::string::npos) return fail(i, "a message needs \"KIND GROUP SENDER | MESSAGE\"");
        auto w = words(std::string_view(t).substr(1, bar - 1));
        if (w.size() != 3) return fail(i, "a message needs exactly KIND GROUP SENDER before \"|\"");
        std::optional<std::string>* targets[] = {&step.chatKind, &step.groupId, &step.senderId};
        for (int k = 0; k < 3; ++k) {
          auto a = argumentWord(w[static_cast<std::size_t>(k)], error);
          if (!a) return fail(i, error);
          *targets[k] = *a;
        }
        // The message is the rest of the raw line after "| ", blanks included.
        std::size_t rawBar = raw.find('|');
        std::string msg = raw.substr(rawBar + 1);
        if (!msg.empty() && msg[0] == ' ') msg.erase(0, 1);
        step.messageSource = msg;
        if (msg != "~") {
          auto gbk = toGbk(msg, error);
          if (!gbk) return fail(i, error);
          step.message = *gbk;
        }
      }
      // The reply lines that follow, with "or" between alternatives.
      std::string reply;
      bool any = false;
      std::size_t j = i + 1;
      for (; j < lines.size(); ++j) {
        const std::string& r = lines[j];
        std::string rt = trim(r);
        if (rt == "or") {
          if (!any) return fail(j, "\"or\" before any reply line");
          step.replies.push_back(reply);
          reply.clear();
          any = false;
          continue;
        }
        if (rt.empty() || rt[0] != '<') break;
        std::string body = r.substr(r.find('<') + 1);
        if (!body.empty() && body[0] == ' ') body.erase(0, 1);
        auto gbk = toGbk(body, error);
        if (!gbk) return fail(j, error);
        if (any) reply += "\r\n";
        reply += *gbk;
        any = true;
      }
      if (!any) return fail(j - 1, "a message needs its expected reply (\"<\" lines)");
      step.replies.push_back(reply);
      scenario.steps.push_back(step);
      i = j - 1;
      continue;
    }

    if (t == "check plugin folder absent") {
      step.kind = StepKind::checkFolderAbsent;
      scenario.steps.push_back(step);
      continue;
    }

    auto w = words(t);
    if (w.size() >= 2 && w[0] == "delete") {
      auto f = fileOf(w[1]);
      if (!f || w.size() != 2) return fail(i, "\"delete score\" or \"delete bank\"");
      step.kind = StepKind::deleteFile;
      step.file = *f;
      scenario.steps.push_back(step);
      continue;
    }
    if (w.size() >= 2 && (w[0] == "check" || w[0] == "set" || w[0] == "write")) {
      std::string fileWord = w[1];
      bool exactly = false;
      if (w.size() == 3 && w[0] == "check" && w[2] == "exactly:") exactly = true;
      else if (fileWord.empty() || fileWord.back() != ':') return fail(i, "expected FILE: after " + w[0]);
      if (!exactly) fileWord.pop_back();
      auto f = fileOf(fileWord);
      if (!f) return fail(i, "FILE is \"score\" or \"bank\"");
      step.file = *f;
      if (exactly || w[0] == "write") {
        if (w[0] == "write" && w.size() != 2) return fail(i, "\"write FILE:\" stands alone; the block follows");
        std::string block;
        if (!readBlock(i, block)) return std::nullopt;
        if (exactly) {
          step.kind = StepKind::checkExactly;
          step.entries = parseEntries(block);
          std::sort(step.entries.begin(), step.entries.end());
        } else {
          step.kind = StepKind::writeFile;
          step.content = block;
        }
        scenario.steps.push_back(step);
        continue;
      }
      // The rest after "FILE:".
      std::string rest = trim(std::string_view(t).substr(t.find(':') + 1));
      auto rw = words(rest);
      if (w[0] == "check" && rw.size() == 1 && rw[0] == "absent") {
        step.kind = StepKind::checkFileAbsent;
        scenario.steps.push_back(step);
        continue;
      }
      if (w[0] == "check" && rw.size() == 2 && rw[1] == "absent" && rw[0].size() > 2 &&
          rw[0].front() == '[' && rw[0].back() == ']') {
        auto s = toGbk(rw[0].substr(1, rw[0].size() - 2), error);
        if (!s) return fail(i, error);
        step.kind = StepKind::checkSectionAbsent;
        step.section = *s;
        scenario.steps.push_back(step);
        continue;
      }
      if (rw.size() < 2) return fail(i, "expected SECTION KEY = VALUE or SECTION KEY absent");
      auto s = toGbk(rw[0], error);
      if (!s) return fail(i, error);
      auto k = toGbk(rw[1], error);
      if (!k) return fail(i, error);
      step.section = *s;
      step.key = *k;
      if (w[0] == "check" && rw.size() == 3 && rw[2] == "absent") {
        step.kind = StepKind::checkKeyAbsent;
        scenario.steps.push_back(step);
        continue;
      }
      if (rw.size() < 3 || rw[2] != "=") return fail(i, "expected \"=\" after SECTION KEY");
      // The value is everything after "= " (nothing: the empty value).
      std::size_t eq = rest.find(" = ");
      std::string v = eq == std::string::npos ? std::string() : rest.substr(eq + 3);
      if (eq == std::string::npos && rest.back() != '=') return fail(i, "expected \" = \"");
      auto gv = toGbk(v, error);
      if (!gv) return fail(i, error);
      step.value = *gv;
      step.kind = w[0] == "check" ? StepKind::checkValue : StepKind::setValue;
      scenario.steps.push_back(step);
      continue;
    }
    return fail(i, "unknown directive: " + t);
  }
  return scenario;
}

}  // namespace vexlo::scenario
