// Reading a table of comma- or tab-separated fields (CSV or TSV), with the quoting of RFC 4180:
// a field that starts with a double quote runs to the next lone double quote, and "" inside it
// stands for one double quote. Records end at LF, CR LF or CR outside quotes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::tools {

struct TableField {
  std::string text;
  std::size_t line = 0;    // where the field starts, 1-based
  std::size_t column = 0;  // in characters of the UTF-8 text
};

struct TableRecord {
  std::vector<TableField> fields;
  std::size_t line = 0;
};

struct TableError {
  std::size_t line = 0;
  std::size_t column = 0;
  std::string message;
};

struct Table {
  std::vector<TableRecord> records;  // blank lines are left out
  std::vector<TableError> errors;
};

// Splits UTF-8 text into records of fields separated by `delimiter`. A line break inside a quoted
// field is kept in the field's text.
Table readTable(std::string_view utf8, char delimiter);

}  // namespace vexlo::tools
