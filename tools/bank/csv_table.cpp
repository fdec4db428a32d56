// Reading CSV and TSV tables.
#include "tools/bank/csv_table.h"

namespace vexlo::tools {

namespace {

class TableReader {
 public:
  TableReader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

  Table read() {
    while (position_ < text_.size()) readRecord();
    return std::move(table_);
  }

 private:
  bool atLineEnd() const { return text_[position_] == '\n' || text_[position_] == '\r'; }

  // Moves one byte on, keeping the line and the column (a UTF-8 continuation byte adds none).
  void step() {
    const char c = text_[position_++];
    if (c == '\n' || (c == '\r' && (position_ >= text_.size() || text_[position_] != '\n'))) {
      ++line_;
      column_ = 1;
    } else if (c != '\r' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column_;
    }
  }

  void readRecord() {
    TableRecord record;
    record.line = line_;
    bool blank = true;
    for (;;) {
      TableField field{std::string(), line_, column_};
      if (position_ < text_.size() && text_[position_] == '"') {
        readQuoted(field);
      } else {
        while (position_ < text_.size() && text_[position_] != delimiter_ && !atLineEnd()) {
          field.text += text_[position_];
          step();
        }
      }
      blank = blank && field.text.empty() && (position_ >= text_.size() || atLineEnd());
      record.fields.push_back(std::move(field));
      if (position_ < text_.size() && text_[position_] == delimiter_) {
        step();
        blank = false;
        continue;
      }
      break;
    }
    if (position_ < text_.size()) step();  // the line end (CR LF counts once)
    if (position_ < text_.size() && text_[position_ - 1] == '\r' && text_[position_] == '\n') step();
    if (!blank) table_.records.push_back(std::move(record));
  }

  void readQuoted(TableField& field) {
    const std::size_t line = line_, column = column_;
    step();  // the opening quote
    for (;;) {
      if (position_ >= text_.size()) {
        table_.errors.push_back({line, column, "a quoted field is never closed"});
        return;
      }
      if (text_[position_] == '"') {
        step();
        if (position_ < text_.size() && text_[position_] == '"') {
          field.text += '"';
          step();
          continue;
        }
        break;
      }
      field.text += text_[position_];
      step();
    }
    if (position_ < text_.size() && text_[position_] != delimiter_ && !atLineEnd()) {
      table_.errors.push_back({line_, column_, "text follows the closing quote of a field"});
      while (position_ < text_.size() && text_[position_] != delimiter_ && !atLineEnd()) step();
    }
  }

  std::string_view text_;
  char delimiter_;
  std::size_t position_ = 0;
  std::size_t line_ = 1;
  std::size_t column_ = 1;
  Table table_;
};

}  // namespace

Table readTable(std::string_view utf8, char delimiter) { return TableReader(utf8, delimiter).read(); }

}  // namespace vexlo::tools
