// Importing a bank from UTF-8 source (INI or a CSV/TSV table) and exporting it back.
#include "tools/bank/bank_import.h"

#include <map>
#include <set>

#include "runtime/code_page.h"
#include "runtime/profile_document.h"
#include "store/fixed_texts.h"
#include "tools/bank/bank_layout.h"
#include "tools/bank/bank_text_rules.h"
#include "tools/bank/csv_table.h"
#include "tools/bank/encoding_scan.h"

namespace vexlo::tools {

namespace {

Problem error(std::string category, std::string message, std::size_t line = 0,
              std::size_t column = 0, std::string section = {}, std::string key = {}) {
  return {Severity::Error, std::move(category), std::move(section), std::move(key), line, column,
          std::move(message)};
}

bool hasError(const std::vector<Problem>& problems) {
  return countOf(problems, Severity::Error) > 0;
}

// The UTF-8 text of a source without its byte-order mark, converted to GBK; failures are errors.
std::string sourceAsGbk(std::string_view utf8Source, std::vector<Problem>& problems) {
  const ByteOrderMark mark = byteOrderMarkOf(utf8Source);
  if (mark == ByteOrderMark::Utf16Le || mark == ByteOrderMark::Utf16Be) {
    problems.push_back(error("encoding", "the source is UTF-16; save it as UTF-8"));
    return {};
  }
  GbkConversion converted = convertUtf8ToGbk(utf8Source.substr(byteOrderMarkLength(mark)));
  for (const BadCharacter& bad : converted.failures) {
    problems.push_back(error("encoding",
                             bad.malformed ? "the bytes " + bad.shown + " are not UTF-8 (the source must be UTF-8)"
                                           : "\"" + bad.shown + "\" has no GBK form, so the bank cannot hold it",
                             bad.at.line, bad.at.column));
  }
  return std::move(converted.gbk);
}

std::string shown(std::string_view gbk) { return shownText(gbk); }

// The source with the text of its comment lines (first non-blank character ";" or "#") taken
// out: they never reach the bank, so a character GBK cannot hold may stand in them.
std::string withoutCommentText(std::string_view source) {
  std::size_t begin = byteOrderMarkOf(source) == ByteOrderMark::Utf8 ? 3 : 0;
  std::string out(source.substr(0, begin));
  while (begin < source.size()) {
    std::size_t end = source.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = source.size();
    const std::string_view line = source.substr(begin, end - begin);
    const std::string_view start = gbk::trimBlanks(line);
    out += !start.empty() && (start[0] == ';' || start[0] == '#') ? std::string_view(";") : line;
    std::size_t next = end;
    if (next < source.size() && source[next] == '\r') ++next;
    if (next < source.size() && source[next] == '\n' && (next == end || source[end] == '\r')) ++next;
    out += source.substr(end, next - end);
    begin = next;
  }
  return out;
}

bool isCategoryName(std::string_view name) {
  return name.substr(0, texts::categorySectionPrefix.size()) == texts::categorySectionPrefix;
}

BankBuild importIni(std::string_view utf8Source, std::string_view selection) {
  BankBuild build;
  std::vector<Problem>& problems = build.problems;
  const std::string gbkText = sourceAsGbk(withoutCommentText(utf8Source), problems);
  if (hasError(problems)) return build;
  const ProfileDocument document = ProfileDocument::parse(gbkText);

  BankLayout kept;
  std::vector<std::string> seenSections;
  for (const ProfileSection& section : document.sections()) {
    if (!section.hasHeader) {
      for (const ProfileEntry& entry : section.entries) {
        if (isCommentLike(entry)) continue;
        problems.push_back(error("layout", "a line before the first section header belongs to no section",
                                 0, 0, "", shown(entry.key)));
      }
      continue;
    }
    for (const std::string& seen : seenSections) {
      if (gbk::namesEqual(seen, section.name)) {
        problems.push_back(error("section", "appears a second time; the host would read only the first",
                                 0, 0, shown(section.name)));
      }
    }
    seenSections.push_back(section.name);
    BankSection out{section.name, true, {}};
    std::set<std::string> keys;
    std::size_t questionLines = 0;
    for (const ProfileEntry& entry : section.entries) {
      if (isCommentLike(entry)) continue;
      if (!entry.hasValue) {
        problems.push_back(error("layout", "not a key=value line", 0, 0, shown(section.name),
                                 shown(entry.key)));
        continue;
      }
      if (isCategoryName(section.name) && isWholeNumber(entry.key)) {
        ++questionLines;
      } else if (!keys.insert(upperAscii(entry.key)).second) {
        problems.push_back(error("key", "appears a second time in this section", 0, 0,
                                 shown(section.name), shown(entry.key)));
      }
      out.entries.push_back({entry.key, readValueOf(entry), true});
    }
    if (isCategoryName(section.name)) {
      const std::optional<std::string> given = document.find(section.name, texts::questionCountKey);
      if (given && *given != std::to_string(questionLines)) {
        problems.push_back({Severity::Warning, "count", shown(section.name),
                            shown(texts::questionCountKey), 0, 0,
                            "\"" + shown(*given) + "\" in the source is replaced by " +
                                std::to_string(questionLines) + ", the number of question lines"});
      }
    }
    kept.push_back(std::move(out));
  }
  if (hasError(problems)) return build;
  build.bytes = layoutText(canonicalLayout(kept, selection), "\r\n");
  return build;
}

std::string trimmed(std::string_view text) {
  return std::string(gbk::trimBlanks(text));
}

BankBuild importTable(std::string_view utf8Source, char delimiter, std::string_view selection) {
  BankBuild build;
  std::vector<Problem>& problems = build.problems;
  sourceAsGbk(utf8Source, problems);  // reports every character GBK cannot hold, with its place
  if (hasError(problems)) return build;
  const std::size_t markLength = byteOrderMarkLength(byteOrderMarkOf(utf8Source));
  const Table table = readTable(utf8Source.substr(markLength), delimiter);
  for (const TableError& bad : table.errors) {
    problems.push_back(error("table", bad.message, bad.line, bad.column));
  }

  struct Category {
    std::string number, title, kind;
    std::size_t titleLine = 0, kindLine = 0;
    std::vector<std::string> lines;
  };
  std::vector<Category> categories;
  std::map<std::string, std::size_t> byNumber;
  auto gbkOf = [](std::string_view utf8) { return utf8ToGbk(utf8).value_or(std::string()); };

  bool firstRecord = true;
  for (const TableRecord& record : table.records) {
    bool blank = true;
    for (const TableField& field : record.fields) blank = blank && trimmed(field.text).empty();
    if (blank) continue;
    const bool heading = firstRecord && !isWholeNumber(trimmed(record.fields[0].text));
    firstRecord = false;
    if (heading) continue;
    if (record.fields.size() != 5) {
      problems.push_back(error("table",
                               "a row needs 5 fields (category number, title, kind, question, "
                               "answer); this one has " + std::to_string(record.fields.size()),
                               record.line, 1));
      continue;
    }
    const TableField& numberField = record.fields[0];
    const std::string number = trimmed(numberField.text);
    if (!isWholeNumber(number)) {
      problems.push_back(error("table", "the category number \"" + number + "\" is not a whole number",
                               numberField.line, numberField.column));
      continue;
    }
    auto [at, fresh] = byNumber.emplace(number, categories.size());
    if (fresh) categories.push_back({number, {}, {}, 0, 0, {}});
    Category& category = categories[at->second];
    // Title and kind: the first row that gives one sets it; a later different one is an error.
    auto setOnce = [&](const TableField& field, std::string& value, std::size_t& line,
                       const char* what) {
      const std::string text = trimmed(field.text);
      if (text.empty()) return;
      if (value.empty()) {
        value = text;
        line = field.line;
      } else if (value != text) {
        problems.push_back(error("table",
                                 std::string("category ") + number + " already has the " + what +
                                     " \"" + value + "\" (line " + std::to_string(line) + ")",
                                 field.line, field.column));
      }
    };
    setOnce(record.fields[1], category.title, category.titleLine, "title");
    setOnce(record.fields[2], category.kind, category.kindLine, "kind");
    std::string parts[2];
    bool usable = true;
    for (int i = 0; i < 2; ++i) {
      const TableField& field = record.fields[static_cast<std::size_t>(3 + i)];
      const char* what = i == 0 ? "question" : "answer";
      parts[i] = trimmed(field.text);
      if (parts[i].empty()) {
        problems.push_back(error("table", std::string("the ") + what + " is empty", field.line, field.column));
        usable = false;
      } else if (parts[i].find_first_of("\r\n") != std::string::npos) {
        problems.push_back(error("table", std::string("the ") + what +
                                              " holds a line break; a bank line is one line",
                                 field.line, field.column));
        usable = false;
      } else if (parts[i].find('|') != std::string::npos) {
        problems.push_back(error("table", std::string("the ") + what +
                                              " holds \"|\", which separates question and answer",
                                 field.line, field.column));
        usable = false;
      }
    }
    if (usable) category.lines.push_back(gbkOf(parts[0]) + "|" + gbkOf(parts[1]));
  }
  if (categories.empty() && problems.empty()) {
    problems.push_back(error("table", "the table holds no question"));
  }
  if (hasError(problems)) return build;

  BankLayout layout;
  for (const Category& category : categories) {
    BankSection section{std::string(texts::categorySectionPrefix) + category.number, true, {}};
    if (!category.title.empty()) {
      section.entries.push_back({std::string(texts::titleKey), gbkOf(category.title), true});
    }
    if (!category.kind.empty()) {
      section.entries.push_back({std::string(texts::questionKindKey), gbkOf(category.kind), true});
    }
    for (std::size_t i = 0; i < category.lines.size(); ++i) {
      section.entries.push_back({std::to_string(i + 1), category.lines[i], true});
    }
    layout.push_back(std::move(section));
  }
  build.bytes = layoutText(canonicalLayout(layout, selection), "\r\n");
  return build;
}

}  // namespace

SourceFormat sourceFormatOf(std::string_view fileName) {
  const std::string name = upperAscii(fileName);
  auto endsWith = [&](std::string_view tail) {
    return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (endsWith(".CSV")) return SourceFormat::Csv;
  if (endsWith(".TSV") || endsWith(".TAB")) return SourceFormat::Tsv;
  return SourceFormat::Ini;
}

BankBuild importBank(std::string_view utf8Source, SourceFormat format, std::string_view selection) {
  std::string gbkSelection;
  if (!selection.empty()) {
    const std::optional<std::string> converted = utf8ToGbk(selection);
    if (!converted) {
      BankBuild build;
      build.problems.push_back(error("selection", "the selected category has no GBK form"));
      return build;
    }
    gbkSelection = *converted;
  }
  switch (format) {
    case SourceFormat::Csv:
      return importTable(utf8Source, ',', gbkSelection);
    case SourceFormat::Tsv:
      return importTable(utf8Source, '\t', gbkSelection);
    case SourceFormat::Ini:
      break;
  }
  return importIni(utf8Source, gbkSelection);
}

BankBuild exportBank(std::string_view bankBytes) {
  BankBuild build;
  const ByteOrderMark mark = byteOrderMarkOf(bankBytes);
  if (mark == ByteOrderMark::None) {
    if (looksLikeUtf8(bankBytes)) {
      build.problems.push_back(error("encoding",
                                     "the file is UTF-8 already, not a GBK bank (the host would "
                                     "read it as garbled GBK)"));
      return build;
    }
    for (const BadCharacter& bad : findInvalidGbk(bankBytes)) {
      build.problems.push_back(
          error("encoding", "the bytes " + bad.shown + " are no GBK character", bad.at.line, bad.at.column));
    }
    if (hasError(build.problems)) return build;
  }
  const std::string gbkText = layoutText(layoutOf(ProfileDocument::parse(bankBytes)), "\n");
  const std::optional<std::string> utf8 = gbkToUtf8(gbkText);
  if (!utf8) {
    build.problems.push_back(error("encoding", "the bank holds text that has no UTF-8 form"));
    return build;
  }
  build.bytes = *utf8;
  return build;
}

}  // namespace vexlo::tools
