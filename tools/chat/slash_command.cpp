// Parsing of the terminal host's own commands.
#include "tools/chat/slash_command.h"

#include <vector>

namespace vexlo::chat {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Splits off the first blank-separated word of `text`; `text` keeps the rest, trimmed.
std::string_view takeWord(std::string_view& text) {
  text = trimBlanks(text);
  std::size_t end = 0;
  while (end < text.size() && !isBlank(text[end])) ++end;
  const std::string_view word = text.substr(0, end);
  text = trimBlanks(text.substr(end));
  return word;
}

TypedLine invalid(std::string reason) {
  return TypedLine{TypedLine::Kind::invalid, std::move(reason), {}};
}

TypedLine usage(std::string_view form) {
  return invalid("usage: " + std::string(form) + " (type /help for the commands)");
}

}  // namespace

TypedLine parseTypedLine(std::string_view line) {
  using Kind = TypedLine::Kind;
  if (!line.starts_with('/')) return TypedLine{Kind::message, std::string(line), {}};
  if (line.starts_with("//")) return TypedLine{Kind::message, std::string(line.substr(1)), {}};

  std::string_view rest = line.substr(1);
  const std::string_view command = takeWord(rest);

  if (command == "sender") {
    const std::string_view id = takeWord(rest);
    if (id.empty()) return usage("/sender ID [NAME]");
    return TypedLine{Kind::switchSender, std::string(id), std::string(rest)};
  }
  if (command == "group") {
    const std::string_view id = takeWord(rest);
    if (id.empty() || !rest.empty()) return usage("/group ID");
    return TypedLine{Kind::switchGroup, std::string(id), {}};
  }
  if (command == "kind") {
    const std::string_view kind = takeWord(rest);
    if (kind.empty() || !rest.empty()) return usage("/kind group|private|other|CODE");
    std::string code(kind);
    if (kind == "group") code = "2";
    else if (kind == "private") code = "3";
    else if (kind == "other") code = "1";
    return TypedLine{Kind::switchKind, std::move(code), {}};
  }
  struct Plain {
    std::string_view word;
    Kind kind;
  };
  static constexpr Plain plain[] = {{"info", Kind::showInfo},
                                    {"scores", Kind::showScores},
                                    {"help", Kind::showHelp},
                                    {"quit", Kind::quit}};
  for (const Plain& p : plain) {
    if (command == p.word) {
      if (!rest.empty()) return usage("/" + std::string(p.word));
      return TypedLine{p.kind, {}, {}};
    }
  }
  return invalid("unknown command /" + std::string(command) + " (type /help for the commands)");
}

std::string slashCommandHelp() {
  return "/sender ID [NAME]   speak as another member (NAME is shown for [name])\n"
         "/group ID           move to another group\n"
         "/kind KIND          chat kind: group (code 2), private (3), other (1), or any code\n"
         "/info               show the plugin's description again\n"
         "/scores             show your entries in the score book\n"
         "/quit               leave (end of input does the same)\n"
         "/help               this list\n"
         "//TEXT              send a message that starts with /\n"
         "Every other line goes to the plugin as the text after @Vexlo.\n";
}

}  // namespace vexlo::chat
