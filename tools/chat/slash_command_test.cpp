// Reading typed lines: host commands, messages, and the complaints about bad commands.
#include "tools/chat/slash_command.h"

#include <gtest/gtest.h>

namespace vexlo::chat {
namespace {

// UTF-8 bytes of a u8 literal (plain literals here are GBK).
std::string utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

using Kind = TypedLine::Kind;

TEST(SlashCommand, ReadsEveryForm) {
  struct Case {
    std::string line;
    Kind kind;
    std::string text;
    std::string name;
  };
  const Case cases[] = {
      {"出题", Kind::message, "出题", ""},
      {"", Kind::message, "", ""},
      {" /sender 1", Kind::message, " /sender 1", ""},  // only a "/" in front is a command
      {"//kind", Kind::message, "/kind", ""},
      {"/sender 222", Kind::switchSender, "222", ""},
      {"/sender  222   Bob  Smith ", Kind::switchSender, "222", "Bob  Smith"},
      {utf8(u8"/sender 333 小红"), Kind::switchSender, "333", utf8(u8"小红")},
      {"/group 10002", Kind::switchGroup, "10002", ""},
      {"/kind group", Kind::switchKind, "2", ""},
      {"/kind private", Kind::switchKind, "3", ""},
      {"/kind other", Kind::switchKind, "1", ""},
      {"/kind 7", Kind::switchKind, "7", ""},
      {"/info", Kind::showInfo, "", ""},
      {"/scores", Kind::showScores, "", ""},
      {"/help", Kind::showHelp, "", ""},
      {"/quit", Kind::quit, "", ""},
  };
  for (const Case& c : cases) {
    const TypedLine typed = parseTypedLine(c.line);
    EXPECT_EQ(typed.kind, c.kind) << c.line;
    EXPECT_EQ(typed.text, c.text) << c.line;
    EXPECT_EQ(typed.name, c.name) << c.line;
  }
}

TEST(SlashCommand, ComplainsAboutUnknownOrMisusedCommands) {
  struct Case {
    const char* line;
    const char* reasonStart;
  };
  const Case cases[] = {
      {"/", "unknown command /"},
      {"/frobnicate", "unknown command /frobnicate"},
      {"/Quit", "unknown command /Quit"},  // commands are lower case
      {"/sender", "usage: /sender"},
      {"/group", "usage: /group"},
      {"/group 1 2", "usage: /group"},
      {"/kind", "usage: /kind"},
      {"/kind group chat", "usage: /kind"},
      {"/quit now", "usage: /quit"},
  };
  for (const Case& c : cases) {
    const TypedLine typed = parseTypedLine(c.line);
    EXPECT_EQ(typed.kind, Kind::invalid) << c.line;
    EXPECT_TRUE(typed.text.starts_with(c.reasonStart)) << c.line << " gave " << typed.text;
    EXPECT_EQ(typed.text.find('\n'), std::string::npos) << "one line: " << c.line;
  }
}

}  // namespace
}  // namespace vexlo::chat
