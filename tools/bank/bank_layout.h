// A question bank as sections of keys and values, and its canonical text: the one layout that
// `vexlo bank import` writes and `vexlo bank export` writes back, so that a bank read from either
// text gives the same layout again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/profile_document.h"

namespace vexlo::tools {

struct BankEntry {
  std::string key;    // GBK
  std::string value;  // GBK, the value a read of the key gives (before the read buffer cuts it)
  bool hasValue = true;  // false for a line without "=" (kept only when exporting)
};

struct BankSection {
  std::string name;     // GBK; empty for the lines before the first header
  bool hasHeader = true;
  std::vector<BankEntry> entries;
};

using BankLayout = std::vector<BankSection>;

// The sections and entries of a parsed profile file, in file order, values as a read gives them.
// The nameless section of lines before the first header is kept only when it holds something.
BankLayout layoutOf(const ProfileDocument& document);

// The text of a layout: "[name]" lines and "key=value" lines, a blank line between sections, each
// line ended by `lineEnd`. A value that a read would change (blanks at either end, or one pair of
// enclosing quotes) is written inside double quotes, so that reading it gives it back exactly.
std::string layoutText(const BankLayout& layout, std::string_view lineEnd);

// The canonical order of a bank: section 内容类型 first with 类型 first in it; each category
// section (问题内容 and a number) as 标题, 问题个数, 题目类型, its other keys, then its question lines
// numbered 1, 2, ... in the order they come, with 问题个数 set to their number. A key of digits
// only is a question line; its digits only mark it. Other sections keep their place and contents.
// `selection`, when not empty, becomes the value of 类型; when 类型 is missing or empty the first
// category is selected.
BankLayout canonicalLayout(const BankLayout& layout, std::string_view selection);

}  // namespace vexlo::tools
