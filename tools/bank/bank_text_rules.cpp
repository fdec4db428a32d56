// Rules about bank texts shared by the checker and the importer.
#include "tools/bank/bank_text_rules.h"

#include <array>

#include "runtime/text_ops.h"
#include "store/fixed_texts.h"
#include "tools/bank/encoding_scan.h"

namespace vexlo::tools {

bool isWholeNumber(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool isCommentLike(const ProfileEntry& entry) {
  return !entry.key.empty() && (entry.key[0] == ';' || entry.key[0] == '#');
}

std::string upperAscii(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (gbk::isLeadByte(out[i])) {
      ++i;
    } else if (out[i] >= 'a' && out[i] <= 'z') {
      out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
  }
  return out;
}

std::string readValueOf(const ProfileEntry& entry) {
  const std::string& v = entry.value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

std::size_t characterCount(std::string_view gbk) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < gbk.size(); ++i, ++count) {
    if (gbk::isLeadByte(gbk[i]) && i + 1 < gbk.size()) ++i;
  }
  return count;
}

AnswerVerdict judgeStoredAnswer(std::string_view answer) {
  AnswerVerdict verdict;
  // The answer goes through the same profile engine as the score book: written, then read back.
  const std::string_view group = "1";
  const std::optional<std::string> book =
      ProfileDocument::parse("").withValue(texts::groupAnswerSection, group, answer);
  verdict.stored = book ? ProfileDocument::parse(*book).find(texts::groupAnswerSection, group)
                              .value_or(std::string())
                        : std::string();
  const std::string& stored = verdict.stored;
  const std::string shown = "\"" + shownText(stored) + "\"";
  auto refuse = [&](std::string reason) {
    verdict.scorable = false;
    verdict.reason = std::move(reason);
    return verdict;
  };

  if (stored.empty()) {
    return refuse("the answer is stored for the group as the empty text: only a message that is "
                  "empty after the clean-up matches it");
  }
  if (stored.find('"') != std::string::npos) {
    return refuse("the answer " + shown +
                  " holds a double quote: the clean-up removes every double quote from a "
                  "message, so no player's message can equal it");
  }
  if (stored.find("\r\n") != std::string::npos) {
    return refuse("the answer holds a CR LF pair, which the clean-up removes from every message");
  }
  if (stored.find(' ') != std::string::npos) {
    return refuse("the answer " + shown +
                  " holds a blank: the clean-up removes the first ten blanks of a message, so a "
                  "player who types it is judged wrong (only a message with ten blanks before it "
                  "would match)");
  }
  const std::array<std::string_view, 7> commands = {
      texts::drawCommand, texts::skipCommand, texts::quickCommand,   texts::hintCommand,
      texts::listCommand, texts::helpCommand, texts::commandsCommand};
  for (const std::string_view command : commands) {
    if (stored == command) {
      return refuse("the answer " + shown +
                    " is a command word: in a group the message is taken as that command and "
                    "never judged");
    }
  }
  const TextArray parts = splitText(stored, ".", std::nullopt);
  if (parts.size() == 2 && parts[0] == texts::selectCommand) {
    return refuse("the answer " + shown +
                  " is taken as a category selection and never judged; it also selects category \"" +
                  shownText(parts[1]) + "\"");
  }
  const std::string_view trimmed = gbk::trimBlanks(answer);
  if (stored != trimmed && !trimmed.empty() && trimmed.front() == '\'') {
    verdict.note = "the answer " + std::string("\"") + shownText(trimmed) +
                   "\" loses its enclosing quotes when it is stored for the group: players must "
                   "type " + shown + ", and typing it with the quotes is judged wrong";
  }
  return verdict;
}

}  // namespace vexlo::tools
