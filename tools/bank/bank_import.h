// Building a GBK question bank from a UTF-8 source that people edit in any editor, and writing a
// bank back as such a source. Two source forms:
// - INI: the bank's own layout in UTF-8. The digits of a question line's key only mark it as a
//   question: lines are numbered 1, 2, ... in the order they come, and 问题个数 is set to their
//   number.
// - CSV or TSV: one question per row with the columns category number, title, kind, question,
//   answer; a first row whose category cell is not a number is a heading. Title and kind may be
//   left empty after a category's first row.
// Either way the bank is written in its canonical layout (bank_layout.h) with CR LF line ends, and
// the exported source in the same layout in UTF-8 with LF line ends, so that importing an exported
// bank gives the same bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/bank/problems.h"

namespace vexlo::tools {

enum class SourceFormat { Ini, Csv, Tsv };

// The form a source file name suggests: .csv and .tsv by their extension (any case), else INI.
SourceFormat sourceFormatOf(std::string_view fileName);

struct BankBuild {
  std::string bytes;              // the file to write; empty when `problems` holds an error
  std::vector<Problem> problems;  // the source's own problems
};

// Builds the GBK bank from UTF-8 source text. `selection` (UTF-8), when not empty, is the category
// selected in 类型; otherwise the source's own selection, or else the first category. Characters
// GBK cannot hold, and rows or lines that cannot become bank lines, are errors with their line and
// column, and no bytes come back.
BankBuild importBank(std::string_view utf8Source, SourceFormat format, std::string_view selection);

// Writes a bank (GBK, or with a byte-order mark) as UTF-8 INI source, keys and values as a read
// gives them. Bytes that are no GBK character are errors with their place, and no bytes come back.
BankBuild exportBank(std::string_view bankBytes);

}  // namespace vexlo::tools
