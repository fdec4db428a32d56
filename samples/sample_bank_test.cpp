// Checks that the built sample question bank is well formed: the selected category exists, every
// category has a title, a kind of 0 or 1 and exactly as many question lines as it announces, and
// every line is question|answer with an answer that a chat member can type and have scored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "runtime/code_page.h"
#include "runtime/number_text.h"
#include "runtime/profile_document.h"
#include "runtime/text_ops.h"
#include "store/fixed_texts.h"

namespace vexlo {
namespace {

std::string readSampleBank() {
  const char* dir = std::getenv("VEXLO_SAMPLE_BANK_DIR");
  if (dir == nullptr) return {};
  std::string name = gbkToUtf8(texts::bankTail).value_or("");
  name = name.substr(name.rfind('\\') + 1);
  const std::filesystem::path file =
      std::filesystem::path(dir) / std::filesystem::path(std::u8string(name.begin(), name.end()));
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isDecimalKey(std::string_view key) {
  return !key.empty() && key[0] != '0' &&
         key.find_first_not_of("0123456789") == std::string_view::npos;
}

// Why `answer` could not be typed and scored as it stands, or the empty text.
std::string answerProblem(std::string_view answer) {
  if (answer.empty()) return "empty";
  if (answer.find(' ') != std::string_view::npos) return "holds a blank (the clean-up removes it)";
  if (answer.find('"') != std::string_view::npos) return "holds a double quote (removed)";
  if (answer.find("\xA1\xA1") != std::string_view::npos) return "holds a full-width blank";
  if (elementCount(splitText(answer, ".", std::nullopt)) != 1) return "holds a \".\"";
  for (std::string_view word : {texts::drawCommand, texts::skipCommand, texts::quickCommand,
                                texts::hintCommand, texts::listCommand, texts::helpCommand,
                                texts::commandsCommand, texts::defaultGroupAnswer}) {
    if (answer == word) return "is a command word";
  }
  return {};
}

TEST(SampleBank, IsWellFormed) {
  const std::string bytes = readSampleBank();
  ASSERT_FALSE(bytes.empty()) << "the sample bank was not built (VEXLO_SAMPLE_BANK_DIR)";
  ASSERT_TRUE(gbkToUtf8(bytes).has_value()) << "the bank holds bytes that are not GBK";
  const ProfileDocument doc = ProfileDocument::parse(bytes);

  const std::string selected =
      doc.find(texts::selectionSection, texts::selectionKey).value_or("");
  EXPECT_TRUE(doc.find(concatTexts({texts::categorySectionPrefix, selected}), texts::titleKey))
      << "类型 names no category";

  std::set<std::string> sectionNames, kinds;
  int categories = 0, questions = 0;
  for (const ProfileSection& section : doc.sections()) {
    if (!section.hasHeader) continue;
    EXPECT_TRUE(sectionNames.insert(section.name).second) << "section twice: " << section.name;
    if (section.name == texts::selectionSection) continue;
    const bool category =
        section.name.starts_with(texts::categorySectionPrefix) &&
        isDecimalKey(std::string_view(section.name).substr(texts::categorySectionPrefix.size()));
    if (!category) {
      ADD_FAILURE() << "unknown section " << section.name;
      continue;
    }
    ++categories;
    SCOPED_TRACE(section.name);

    std::set<std::string> keys;
    for (const ProfileEntry& entry : section.entries) {
      EXPECT_TRUE(entry.hasValue) << "a line without =: " << entry.key;
      EXPECT_TRUE(keys.insert(entry.key).second) << "key twice: " << entry.key;
      const bool known = entry.key == texts::titleKey || entry.key == texts::questionCountKey ||
                         entry.key == texts::questionKindKey || isDecimalKey(entry.key);
      EXPECT_TRUE(known) << "unknown key " << entry.key;
    }
    EXPECT_FALSE(doc.find(section.name, texts::titleKey).value_or("").empty()) << "no title";
    const std::string kind = doc.find(section.name, texts::questionKindKey).value_or("");
    EXPECT_TRUE(kind == "0" || kind == "1") << "kind " << kind;
    kinds.insert(kind);

    const std::string countText = doc.find(section.name, texts::questionCountKey).value_or("");
    const int count = truncateToInteger(textToNumber(countText));
    EXPECT_EQ(integerToText(count), countText) << "the count is not a plain number";
    EXPECT_EQ(static_cast<std::size_t>(count), keys.size() - 3) << "count and lines differ";
    for (int i = 1; i <= count; ++i) {
      const std::optional<std::string> line = doc.find(section.name, integerToText(i));
      if (!line) {
        ADD_FAILURE() << "question " << i << " is missing";
        continue;
      }
      const TextArray parts = splitText(*line, "|", std::nullopt);
      if (elementCount(parts) != 2) {
        ADD_FAILURE() << "question " << i << " is not question|answer";
        continue;
      }
      EXPECT_FALSE(parts[0].empty()) << "question " << i << " has no question";
      EXPECT_EQ(answerProblem(parts[1]), "") << "the answer of question " << i;
      ++questions;
    }
  }
  EXPECT_GE(categories, 4);
  EXPECT_GE(questions, 40);
  EXPECT_EQ(kinds, (std::set<std::string>{"0", "1"}));
}

}  // namespace
}  // namespace vexlo
