// The bank as a layout of sections, its canonical order, and its text.
#include "tools/bank/bank_layout.h"

#include <algorithm>

#include "store/fixed_texts.h"
#include "tools/bank/bank_text_rules.h"

namespace vexlo::tools {

namespace {

bool readChangesValue(std::string_view value) {
  if (value.empty()) return false;
  if (gbk::isBlank(value.front()) || gbk::isBlank(value.back())) return true;
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
         value.back() == value.front();
}

bool isCategoryName(std::string_view name) {
  return name.substr(0, texts::categorySectionPrefix.size()) == texts::categorySectionPrefix;
}

const BankEntry* findEntry(const BankSection& section, std::string_view key) {
  for (const BankEntry& entry : section.entries) {
    if (entry.hasValue && gbk::namesEqual(entry.key, key)) return &entry;
  }
  return nullptr;
}

BankSection canonicalCategory(const BankSection& source) {
  BankSection out{source.name, true, {}};
  const BankEntry* title = findEntry(source, texts::titleKey);
  const BankEntry* kind = findEntry(source, texts::questionKindKey);
  std::vector<BankEntry> others;
  std::vector<std::string> lines;
  for (const BankEntry& entry : source.entries) {
    if (!entry.hasValue) continue;
    if (gbk::namesEqual(entry.key, texts::titleKey) ||
        gbk::namesEqual(entry.key, texts::questionKindKey) ||
        gbk::namesEqual(entry.key, texts::questionCountKey)) {
      continue;
    }
    if (isWholeNumber(entry.key)) {
      lines.push_back(entry.value);
    } else {
      others.push_back(entry);
    }
  }
  if (title) out.entries.push_back({std::string(texts::titleKey), title->value, true});
  out.entries.push_back({std::string(texts::questionCountKey), std::to_string(lines.size()), true});
  if (kind) out.entries.push_back({std::string(texts::questionKindKey), kind->value, true});
  out.entries.insert(out.entries.end(), others.begin(), others.end());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out.entries.push_back({std::to_string(i + 1), lines[i], true});
  }
  return out;
}

}  // namespace

BankLayout layoutOf(const ProfileDocument& document) {
  BankLayout layout;
  for (const ProfileSection& section : document.sections()) {
    if (!section.hasHeader && section.entries.empty()) continue;
    BankSection out{section.name, section.hasHeader, {}};
    for (const ProfileEntry& entry : section.entries) {
      out.entries.push_back({entry.key, entry.hasValue ? readValueOf(entry) : std::string(),
                             entry.hasValue});
    }
    layout.push_back(std::move(out));
  }
  return layout;
}

std::string layoutText(const BankLayout& layout, std::string_view lineEnd) {
  std::string text;
  bool first = true;
  for (const BankSection& section : layout) {
    if (!first) text += lineEnd;
    first = false;
    if (section.hasHeader) text += "[" + section.name + "]" + std::string(lineEnd);
    for (const BankEntry& entry : section.entries) {
      text += entry.key;
      if (entry.hasValue) {
        text += "=";
        text += readChangesValue(entry.value) ? "\"" + entry.value + "\"" : entry.value;
      }
      text += lineEnd;
    }
  }
  return text;
}

BankLayout canonicalLayout(const BankLayout& layout, std::string_view selection) {
  BankLayout rest;
  BankSection selectionSection{std::string(texts::selectionSection), true, {}};
  bool haveSelection = false;
  std::string firstCategory;
  bool haveCategory = false;
  for (const BankSection& section : layout) {
    if (!section.hasHeader) continue;
    if (!haveSelection && gbk::namesEqual(section.name, texts::selectionSection)) {
      haveSelection = true;
      selectionSection.name = section.name;
      for (const BankEntry& entry : section.entries) {
        if (entry.hasValue) selectionSection.entries.push_back(entry);
      }
      continue;
    }
    if (isCategoryName(section.name)) {
      if (!haveCategory) firstCategory = section.name.substr(texts::categorySectionPrefix.size());
      haveCategory = true;
      rest.push_back(canonicalCategory(section));
    } else {
      rest.push_back(section);
    }
  }
  // 类型 first in its section, with the chosen value.
  auto& entries = selectionSection.entries;
  const auto found = std::find_if(entries.begin(), entries.end(), [](const BankEntry& e) {
    return gbk::namesEqual(e.key, texts::selectionKey);
  });
  BankEntry selected{std::string(texts::selectionKey), std::string(), true};
  if (found != entries.end()) {
    selected = *found;
    entries.erase(found);
  }
  if (!selection.empty()) {
    selected.value = std::string(selection);
  } else if (selected.value.empty() && haveCategory) {
    selected.value = firstCategory;
  }
  entries.insert(entries.begin(), selected);
  BankLayout out;
  out.push_back(std::move(selectionSection));
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

}  // namespace vexlo::tools
