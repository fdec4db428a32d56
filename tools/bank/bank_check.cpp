// The question-bank checker. It reads the bank through the project's profile reader, so sections
// and keys are found exactly as the plugin finds them, and it follows a drawn answer the way the
// plugin treats it: stored for the group in the score book, read back, and compared with the
// cleaned-up message of a player.
#include "tools/bank/bank_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "runtime/number_text.h"
#include "runtime/profile_document.h"
#include "runtime/text_ops.h"
#include "runtime/unicode_text.h"
#include "store/fixed_texts.h"
#include "tools/bank/bank_text_rules.h"
#include "tools/bank/encoding_scan.h"

namespace vexlo::tools {

namespace {

// The plugin reads a value into a buffer of 10240 bytes.
constexpr std::size_t kLongestValue = 10239;
// Only these question numbers can come out of a draw.
constexpr long long kLastDrawable = 32768;
// The listing looks at the categories 1 to 100.
constexpr long long kLastListed = 100;

std::string quoted(std::string_view utf8) { return "\"" + std::string(utf8) + "\""; }

// Lists numbers compactly: "3", "3-5", "3, 7, 9-12", at most a dozen groups.
std::string numberRanges(const std::vector<long long>& numbers);

// "line 3" or "lines 3-5, 9".
std::string linesNamed(const std::vector<long long>& numbers) {
  return (numbers.size() == 1 ? "line " : "lines ") + numberRanges(numbers);
}

std::string numberRanges(const std::vector<long long>& numbers) {
  std::string out;
  std::size_t groups = 0;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    if (groups == 12) {
      out += ", ...";
      break;
    }
    if (!out.empty()) out += ", ";
    out += std::to_string(numbers[i]);
    if (j > i) out += "-" + std::to_string(numbers[j]);
    ++groups;
    i = j + 1;
  }
  return out;
}

class BankChecker {
 public:
  explicit BankChecker(std::string_view bytes) : bytes_(bytes) {}

  std::vector<Problem> run() {
    if (!checkEncoding()) return std::move(problems_);
    document_ = ProfileDocument::parse(bytes_);
    checkStrayLines();
    checkSelection();
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < document_.sections().size(); ++i) {
      const ProfileSection& section = document_.sections()[i];
      if (!section.hasHeader) continue;
      const bool duplicate = std::any_of(seen.begin(), seen.end(), [&](const std::string& name) {
        return gbk::namesEqual(name, section.name);
      });
      seen.push_back(section.name);
      if (duplicate) {
        add(Severity::Error, "section", section.name, "",
            "appears a second time: the host reads only the first section of this name, so the "
            "lines of this one are never read");
      } else if (isCategory(section.name)) {
        checkCategory(section);
      } else if (gbk::namesEqual(section.name, texts::selectionSection)) {
        checkSelectionSectionKeys(section);
      } else {
        add(Severity::Warning, "section", section.name, "",
            "is neither " + quoted(shown(texts::selectionSection)) + " nor a category (" +
                shown(texts::categorySectionPrefix) + " and a number): the plugin never reads it");
      }
    }
    return std::move(problems_);
  }

 private:
  void add(Severity severity, std::string category, std::string_view gbkSection,
           std::string_view gbkKey, std::string message, std::size_t line = 0,
           std::size_t column = 0) {
    problems_.push_back({severity, std::move(category), shownText(gbkSection), shownText(gbkKey),
                         line, column, std::move(message)});
  }

  static std::string shown(std::string_view gbk) { return shownText(gbk); }

  // Encoding: false when the file cannot be read as a bank at all.
  bool checkEncoding() {
    const ByteOrderMark mark = byteOrderMarkOf(bytes_);
    const std::string_view body = bytes_.substr(byteOrderMarkLength(mark));
    if (mark == ByteOrderMark::None) {
      if (looksLikeUtf8(body)) {
        add(Severity::Error, "encoding", "", "",
            "the file is UTF-8 without a byte-order mark: the host reads every file as GBK, so "
            "every Chinese text would come out garbled (names of sections and keys included); "
            "build the bank with \"vexlo bank import\"");
        return false;
      }
      for (const BadCharacter& bad : findInvalidGbk(body)) {
        add(Severity::Error, "encoding", "", "",
            "the bytes " + bad.shown +
                " are no GBK character: the host reads them wrongly (a first byte without its "
                "second becomes \"?\" and may swallow the line end after it)",
            bad.at.line, bad.at.column);
      }
      return true;
    }
    std::string utf8(body);
    const char* name = "UTF-8";
    if (mark != ByteOrderMark::Utf8) {
      bool ok = true;
      const auto order = mark == ByteOrderMark::Utf16Be ? unicode::ByteOrder::BigEndian
                                                         : unicode::ByteOrder::LittleEndian;
      utf8 = unicode::utf16BytesToUtf8(body, order, &ok);
      name = mark == ByteOrderMark::Utf16Be ? "UTF-16BE" : "UTF-16LE";
      if (!ok) add(Severity::Error, "encoding", "", "", std::string("the file is not well-formed ") + name);
    }
    add(Severity::Warning, "encoding", "", "",
        std::string("the file is ") + name +
            " with a byte-order mark: the host converts it to GBK as it reads, but a tool or "
            "editor that drops the mark makes it unreadable; keep banks in GBK");
    for (const BadCharacter& bad : convertUtf8ToGbk(utf8).failures) {
      add(Severity::Error, "encoding", "", "",
          bad.malformed ? "the bytes " + bad.shown + " are not " + name
                        : quoted(bad.shown) + " has no GBK form: the host reads it as \"?\"",
          bad.at.line, bad.at.column);
    }
    return true;
  }

  // Lines before the first section header and lines without "=" are never read.
  void checkStrayLines() {
    const ProfileSection& nameless = document_.sections().front();
    if (std::any_of(nameless.entries.begin(), nameless.entries.end(),
                    [](const ProfileEntry& e) { return !isCommentLike(e); })) {
      add(Severity::Warning, "layout", "", "",
          "lines before the first section header belong to no section: the plugin never reads them");
    }
  }

  void checkSelection() {
    const std::optional<std::string> selected =
        document_.find(texts::selectionSection, texts::selectionKey);
    const std::string where = quoted(shown(texts::selectionKey)) + " in section " +
                              quoted(shown(texts::selectionSection));
    if (!selected || selected->empty() || *selected == "0") {
      add(Severity::Error, "selection", texts::selectionSection, texts::selectionKey,
          (selected ? (selected->empty() ? where + " is empty" : where + " is 0") : where + " is missing") +
              ": no category is selected, so \"" + shown(texts::drawCommand) +
              "\" posts an empty question");
      return;
    }
    const std::string target = std::string(texts::categorySectionPrefix) + *selected;
    if (!findSection(target)) {
      add(Severity::Error, "selection", texts::selectionSection, texts::selectionKey,
          "selects " + quoted(shown(*selected)) + ", but there is no section " +
              quoted(shown(target)) + ": every question posted is empty");
    }
  }

  void checkSelectionSectionKeys(const ProfileSection& section) {
    for (const ProfileEntry& entry : section.entries) {
      if (isCommentLike(entry) || gbk::namesEqual(entry.key, texts::selectionKey)) continue;
      add(Severity::Warning, "key", section.name, entry.key, "the plugin never reads this key");
    }
  }

  const ProfileSection* findSection(std::string_view name) const {
    for (const ProfileSection& section : document_.sections()) {
      if (section.hasHeader && gbk::namesEqual(section.name, name)) return &section;
    }
    return nullptr;
  }

  static bool isCategory(std::string_view name) {
    return name.substr(0, texts::categorySectionPrefix.size()) == texts::categorySectionPrefix;
  }

  void checkCategoryNumber(const ProfileSection& section) {
    const std::string_view number =
        std::string_view(section.name).substr(texts::categorySectionPrefix.size());
    const std::string select = shown(texts::selectCommand) + "." + shown(number);
    if (!isWholeNumber(number)) {
      add(Severity::Warning, "category", section.name, "",
          "the category number " + quoted(shown(number)) +
              " is not a number: the listing never shows it; only \"" + select + "\" selects it");
    } else if (number.size() > 1 && number[0] == '0') {
      add(Severity::Warning, "category", section.name, "",
          "the category number is written with leading zeros: the listing never shows it, and "
          "only \"" + select + "\" (not the plain number) selects it");
    } else if (number == "0") {
      add(Severity::Warning, "category", section.name, "",
          "category 0 is never listed, and selecting 0 means no category: its questions are "
          "never drawn");
    } else if (number.size() > 3 || std::stoll(std::string(number)) > kLastListed) {
      add(Severity::Warning, "category", section.name, "",
          "categories above 100 are never listed (they can still be selected with \"" + select + "\")");
    }
  }

  void checkCategory(const ProfileSection& section) {
    checkCategoryNumber(section);
    const std::string& name = section.name;

    const std::optional<std::string> title = document_.find(name, texts::titleKey);
    if (!title || title->empty()) {
      add(Severity::Warning, "title", name, texts::titleKey,
          std::string(title ? "is empty" : "is missing") +
              ": the listing leaves the category out, and its questions are posted without a title");
    }

    const std::optional<std::string> kind = document_.find(name, texts::questionKindKey);
    if (!kind || (*kind != "0" && *kind != "1")) {
      add(Severity::Warning, "kind", name, texts::questionKindKey,
          (kind ? "is " + quoted(shown(*kind)) : std::string("is missing")) +
              ": only \"0\" (wrong answers get the hint pointer) and \"1\" (a wrong answer costs a "
              "point) act; here a wrong answer gets an empty reply and is never counted");
    }

    // The question lines: keys written as whole numbers, the first of each number.
    std::map<long long, const ProfileEntry*> lines;
    std::set<std::string> otherKeys;
    for (const ProfileEntry& entry : section.entries) {
      if (isCommentLike(entry)) continue;
      if (!entry.hasValue) {
        add(Severity::Warning, "layout", name, entry.key,
            "a line without \"=\": the plugin never reads it");
        continue;
      }
      if (gbk::namesEqual(entry.key, texts::titleKey) ||
          gbk::namesEqual(entry.key, texts::questionCountKey) ||
          gbk::namesEqual(entry.key, texts::questionKindKey)) {
        if (!otherKeys.insert(upperAscii(entry.key)).second) {
          add(Severity::Warning, "key", name, entry.key,
              "appears a second time: the plugin reads only the first");
        }
        continue;
      }
      if (!isWholeNumber(entry.key)) {
        add(Severity::Warning, "key", name, entry.key, "the plugin never reads this key");
        continue;
      }
      if (entry.key.size() > 1 && entry.key[0] == '0') {
        add(Severity::Warning, "line", name, entry.key,
            "a question number with leading zeros is never read: the plugin asks for the key "
            "without them");
        continue;
      }
      if (entry.key.size() > 12) {
        add(Severity::Warning, "line", name, entry.key, "this question number is never drawn");
        continue;
      }
      const long long number = std::stoll(entry.key);
      if (!lines.emplace(number, &entry).second) {
        add(Severity::Error, "line", name, entry.key,
            "appears a second time: the plugin reads only the first line of this number");
      }
    }

    const std::optional<std::string> countText = document_.find(name, texts::questionCountKey);
    long long count = 0;
    if (!countText) {
      add(Severity::Error, "count", name, texts::questionCountKey,
          "is missing: the plugin counts 0 questions, so draws take line 1 or line 0 at random and "
          "every number above 0 a player sends gets the over-maximum reply");
    } else {
      count = truncateToInteger(textToNumber(*countText));
      if (!isWholeNumber(*countText)) {
        add(Severity::Error, "count", name, texts::questionCountKey,
            quoted(shown(*countText)) + " is not a whole number: the plugin counts it as " +
                std::to_string(count));
      }
    }
    checkCountAgainstLines(section, count, countText.has_value(), lines);

    const std::string questionKind = kind.value_or("");
    CategoryFindings findings;
    std::map<std::string, long long> questions;
    for (const auto& [number, entry] : lines) {
      checkLine(name, number, *entry, questionKind, findings, questions);
    }
    reportFindings(name, count, findings);
  }

  void checkCountAgainstLines(const ProfileSection& section, long long count, bool counted,
                              const std::map<long long, const ProfileEntry*>& lines) {
    const std::string& name = section.name;
    std::size_t positive = 0;
    for (const auto& [number, entry] : lines) positive += number >= 1 ? 1 : 0;
    if (lines.count(0) != 0) {
      add(Severity::Warning, "line", name, "0",
          "line 0 is drawn only while " + quoted(shown(texts::questionCountKey)) +
              " is 0 or less");
    }
    if (positive == 0 && count <= 0) {
      add(Severity::Error, "count", name, texts::questionCountKey,
          "the category has no question lines: every question posted from it is empty");
      return;
    }
    if (counted && count != static_cast<long long>(positive)) {
      add(Severity::Error, "count", name, texts::questionCountKey,
          "says " + std::to_string(count) + " but " + std::to_string(positive) +
              (positive == 1 ? " question line is" : " question lines are") + " present");
    }
    std::vector<long long> missing;
    for (long long k = 1; k <= count && k <= kLastDrawable; ++k) {
      if (lines.count(k) == 0) missing.push_back(k);
    }
    if (!missing.empty()) {
      add(Severity::Error, "line", name, "",
          std::string(missing.size() == 1 ? "question line " : "question lines ") +
              numberRanges(missing) + (missing.size() == 1 ? " is" : " are") +
              " missing: drawing such a number posts an empty question");
    }
    std::vector<long long> above;
    for (const auto& [number, entry] : lines) {
      if (number > std::max(count, 0LL)) above.push_back(number);
    }
    if (!above.empty()) {
      add(Severity::Error, "line", name, "",
          std::string(above.size() == 1 ? "question line " : "question lines ") +
              numberRanges(above) + (above.size() == 1 ? " is" : " are") + " above " +
              quoted(shown(texts::questionCountKey)) + " " + std::to_string(count) +
              ": never drawn");
    }
    if (count > kLastDrawable) {
      add(Severity::Warning, "count", name, texts::questionCountKey,
          "questions 32769 to " + std::to_string(count) + " are never drawn: a draw reaches only 1 "
          "to 32768");
    }
  }

  // What the lines of one category show about judging, reported once per category.
  struct CategoryFindings {
    std::vector<long long> oneCharacter;
    std::vector<long long> dotted;
    std::vector<long long> numeric;
  };

  void checkLine(const std::string& section, long long number, const ProfileEntry& entry,
                 const std::string& kind, CategoryFindings& findings,
                 std::map<std::string, long long>& questions) {
    const std::string key = std::to_string(number);
    const std::string whole = readValueOf(entry);
    if (whole.size() > kLongestValue) {
      add(Severity::Error, "length", section, key,
          "the line has " + std::to_string(whole.size()) + " bytes; the plugin reads only the first " +
              std::to_string(kLongestValue));
    }
    const std::string value = document_.find(section, key).value_or("");
    const TextArray parts = splitText(value, "|", std::nullopt);
    if (parts.size() != 2) {
      std::string why;
      if (parts.empty()) {
        why = "the line is empty";
      } else if (parts.size() == 1) {
        why = value.back() == '|' && !gbk::endsInLoneLeadByte(value.substr(0, value.size() - 1))
                  ? "its only \"|\" is at its end"
                  : "it has no \"|\"";
      } else {
        why = "it has " + std::to_string(parts.size() - 1) + " \"|\" inside";
      }
      add(Severity::Error, "line", section, key,
          "does not split into a question and an answer at \"|\" (" + why +
              "): a draw of it posts an empty question");
      return;
    }
    const std::string& question = parts[0];
    const std::string& answer = parts[1];
    if (question.empty()) {
      add(Severity::Error, "line", section, key, "the question is empty");
    } else if (auto earlier = questions.find(question); earlier != questions.end()) {
      add(Severity::Warning, "duplicate", section, key,
          "the same question as line " + std::to_string(earlier->second));
    } else {
      questions.emplace(question, number);
    }
    if (answer.empty()) {
      add(Severity::Error, "line", section, key,
          "the answer is empty: only a message that is empty after the clean-up matches it");
      return;
    }
    const AnswerVerdict verdict = judgeStoredAnswer(answer);
    if (!verdict.scorable) {
      add(Severity::Error, "unscorable", section, key, verdict.reason);
      return;
    }
    if (!verdict.note.empty()) add(Severity::Warning, "judging", section, key, verdict.note);
    if (characterCount(verdict.stored) == 1) findings.oneCharacter.push_back(number);
    if (kind == "1") {
      if (splitText(verdict.stored, ".", std::nullopt).size() == 2) findings.dotted.push_back(number);
      if (textToNumber(verdict.stored) != 0) findings.numeric.push_back(number);
    }
  }

  void reportFindings(const std::string& section, long long count, const CategoryFindings& found) {
    if (!found.oneCharacter.empty()) {
      add(Severity::Warning, "short-answer", section, "",
          "answers of one character (" + linesNamed(found.oneCharacter) +
              ") are easy to hit by trying characters in turn");
    }
    if (!found.dotted.empty()) {
      add(Severity::Warning, "judging", section, "",
          "answers with a \".\" (" + linesNamed(found.dotted) +
              "): a wrong answer of two parts around \".\" (such as 3.15 for 3.14) is looked up as "
              "a bank line instead of being judged wrong; the player loses no point and is shown "
              "that line, answer included");
    }
    if (!found.numeric.empty()) {
      add(Severity::Warning, "judging", section, "",
          "answers that start with a number (" + linesNamed(found.numeric) +
              "): players answering with a number above " + std::to_string(std::max(count, 0LL)) +
              " get the over-maximum reply instead of being judged wrong, and lose no point");
    }
  }

  std::string_view bytes_;
  ProfileDocument document_;
  std::vector<Problem> problems_;
};

}  // namespace

std::vector<Problem> checkBank(std::string_view bytes) { return BankChecker(bytes).run(); }

}  // namespace vexlo::tools
