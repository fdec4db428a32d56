// The terminal host's own commands: a typed line that starts with "/" talks to the host, every
// other line is a chat message for the plugin. "//" at the start sends a message that starts
// with "/".
#pragma once

#include <string>
#include <string_view>

namespace vexlo::chat {

struct TypedLine {
  enum class Kind {
    message,       // `text`: the message to send
    switchSender,  // `text`: the sender's id; `name`: the display name, empty when not given
    switchGroup,   // `text`: the group's id
    switchKind,    // `text`: the chat kind code ("2" group, "3" private, "1" other, or as typed)
    showInfo,      // show the plugin's description again
    showScores,    // show the sender's entries in the score book
    showHelp,      // list the host's commands
    quit,          // end the session
    invalid,       // `text`: a one-line message saying what is wrong
  };
  Kind kind = Kind::message;
  std::string text;
  std::string name;
};

// Reads one typed line (UTF-8). Never fails: an unknown command or a command with missing or
// extra words comes back as `invalid` with the reason.
TypedLine parseTypedLine(std::string_view line);

// The help text listing the host's commands, one per line, each line ended by "\n".
std::string slashCommandHelp();

}  // namespace vexlo::chat
