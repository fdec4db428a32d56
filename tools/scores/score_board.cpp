// Reading a score book into leaderboard rows, sorting, ranking and showing them.
#include "tools/scores/score_board.h"

#include <algorithm>
#include <array>
#include <optional>

#include "runtime/number_text.h"
#include "runtime/profile_document.h"
#include "store/fixed_texts.h"
#include "tools/bank/encoding_scan.h"
#include "tools/bank/problems.h"

namespace vexlo::tools {

namespace {

// True for a text the plugin could have written as a number: a sign, digits with at most one
// point, and an exponent.
bool isPlainNumber(std::string_view text) {
  std::size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == start) return false;
  }
  return i == text.size();
}

double valueOf(const std::optional<std::string>& text) {
  return text ? textToNumber(*text) : 0.0;
}

double columnValue(const ScoreRow& row, ScoreColumn column) {
  switch (column) {
    case ScoreColumn::Points:
      return row.points;
    case ScoreColumn::Right:
      return row.right;
    case ScoreColumn::Wrong:
      return row.wrong;
    case ScoreColumn::Accuracy:
      return row.accuracy;
    case ScoreColumn::Level:
      return row.level;
    case ScoreColumn::Sender:
      break;
  }
  return 0;
}

std::string joined(const std::vector<std::string>& flags) {
  std::string out;
  for (const std::string& flag : flags) out += (out.empty() ? "" : "; ") + flag;
  return out;
}

// The cells of one row, in the order of the heading.
std::vector<std::string> cellsOf(const ScoreRow& row, std::size_t rank) {
  return {std::to_string(rank),     shownText(row.sender),  realToText(row.points),
          realToText(row.right),    realToText(row.wrong),  std::to_string(row.accuracy),
          realToText(row.level),    joined(row.flags)};
}

const std::vector<std::string> kHeading = {"rank",  "sender",   "points", "right",
                                           "wrong", "accuracy", "level",  "flags"};

std::size_t shownWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (const char c : utf8) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return width;
}

std::string csvCell(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::vector<ScoreRow> readScoreBook(std::string_view bytes) {
  const ProfileDocument book = ProfileDocument::parse(bytes);
  const std::array<std::string_view, 4> sections = {texts::pointsSection, texts::correctCountSection,
                                                    texts::wrongCountSection, texts::levelSection};
  std::vector<std::string> senders;
  for (const std::string_view name : sections) {
    // Only the first section of a name is ever read.
    for (const ProfileSection& section : book.sections()) {
      if (!section.hasHeader || !gbk::namesEqual(section.name, name)) continue;
      for (const ProfileEntry& entry : section.entries) {
        if (!entry.hasValue || entry.key.empty()) continue;
        const bool known = std::any_of(senders.begin(), senders.end(), [&](const std::string& s) {
          return gbk::namesEqual(s, entry.key);
        });
        if (!known) senders.push_back(entry.key);
      }
      break;
    }
  }
  std::vector<ScoreRow> rows;
  for (const std::string& sender : senders) {
    ScoreRow row;
    row.sender = sender;
    const std::array<std::pair<const char*, std::string_view>, 4> fields = {
        {{"points", texts::pointsSection},
         {"right", texts::correctCountSection},
         {"wrong", texts::wrongCountSection},
         {"level", texts::levelSection}}};
    std::array<double*, 4> targets = {&row.points, &row.right, &row.wrong, &row.level};
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const std::optional<std::string> text = book.find(fields[i].second, sender);
      *targets[i] = valueOf(text);
      if (text && !isPlainNumber(*text)) {
        row.flags.push_back(std::string(fields[i].first) + " \"" + shownText(*text) +
                            "\" is not a number (counted as " + realToText(*targets[i]) + ")");
      }
    }
    // The plugin adds the counts, writes the sum as text and reads it back as a number.
    const double total = textToNumber(realToText(row.right + row.wrong));
    if (total != 0) {
      const double ratio = row.right / total;
      const double percent = ratio * 100.0;
      row.accuracy = floorToInteger(percent);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void sortRows(std::vector<ScoreRow>& rows, ScoreColumn column) {
  std::stable_sort(rows.begin(), rows.end(), [column](const ScoreRow& a, const ScoreRow& b) {
    if (column != ScoreColumn::Sender) {
      const double x = columnValue(a, column), y = columnValue(b, column);
      if (x != y) return x > y;
    }
    return a.sender < b.sender;
  });
}

std::vector<std::size_t> ranksOf(const std::vector<ScoreRow>& rows, ScoreColumn column) {
  std::vector<std::size_t> ranks(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const bool tie = i > 0 && column != ScoreColumn::Sender &&
                     columnValue(rows[i], column) == columnValue(rows[i - 1], column);
    ranks[i] = tie ? ranks[i - 1] : i + 1;
  }
  return ranks;
}

std::string scoreTable(const std::vector<ScoreRow>& rows, ScoreColumn column, std::size_t top) {
  const std::vector<std::size_t> ranks = ranksOf(rows, column);
  const std::size_t shown = top == 0 ? rows.size() : std::min(top, rows.size());
  std::vector<std::vector<std::string>> table = {kHeading};
  for (std::size_t i = 0; i < shown; ++i) table.push_back(cellsOf(rows[i], ranks[i]));
  std::vector<std::size_t> widths(kHeading.size(), 0);
  for (const auto& cells : table) {
    for (std::size_t c = 0; c < cells.size(); ++c) widths[c] = std::max(widths[c], shownWidth(cells[c]));
  }
  std::string out;
  for (const auto& cells : table) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const bool number = c != 1 && c != 7;
      const std::string pad(widths[c] - shownWidth(cells[c]), ' ');
      line += c == 0 ? "" : "  ";
      line += number ? pad + cells[c] : cells[c] + (c + 1 < cells.size() ? pad : "");
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

std::string scoreCsv(const std::vector<ScoreRow>& rows, ScoreColumn column, std::size_t top) {
  const std::vector<std::size_t> ranks = ranksOf(rows, column);
  const std::size_t shown = top == 0 ? rows.size() : std::min(top, rows.size());
  std::string out;
  auto addLine = [&](const std::vector<std::string>& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c != 0) out += ',';
      out += csvCell(cells[c]);
    }
    out += "\r\n";
  };
  addLine(kHeading);
  for (std::size_t i = 0; i < shown; ++i) addLine(cellsOf(rows[i], ranks[i]));
  return out;
}

}  // namespace vexlo::tools
