// One conversation between the terminal user and the plugin: who is speaking, in which group and
// kind of chat, and what each typed line does. It plays the host's part: it passes each message to
// `plugmain` and shows the reply with the markers read as a host reads them.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "tools/chat/plugin_library.h"

namespace vexlo::chat {

class ChatSession {
 public:
  // `profileDirectory` is the run directory as profile access expects it (for /scores).
  ChatSession(PluginLibrary& plugin, std::string profileDirectory);

  // The prompt, e.g. "Alice@10001> " (the chat kind is added when it is not the group chat).
  std::string prompt() const;

  // The plugin's description, freshly fetched with `info`, as indented output lines.
  std::string description();

  // What the user starts as, one line for the banner.
  std::string whoAmI() const;

  struct Outcome {
    std::string output;  // lines to show, each ended by "\n"
    bool quit = false;
  };

  // Handles one typed UTF-8 line: a host command or a message for the plugin. Reply lines are
  // indented by two blanks; "(...)" lines are the host's notes, "! ..." lines its complaints.
  Outcome handle(std::string_view line);

 private:
  std::string sendMessage(std::string_view gbkMessage);
  std::string showScores();

  PluginLibrary& plugin_;
  std::string profileDirectory_;
  // All ids and names are kept both as typed (UTF-8) and as passed to the plugin (GBK).
  std::string senderId_ = "111", senderIdGbk_ = "111";
  std::string senderName_ = "Alice", senderNameGbk_ = "Alice";
  std::string groupId_ = "10001", groupIdGbk_ = "10001";
  std::string chatKind_ = "2", chatKindGbk_ = "2";
  std::map<std::string, std::string> knownNames_{{"111", "Alice"}};
};

}  // namespace vexlo::chat
