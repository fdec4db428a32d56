// The terminal host's conversation with the plugin.
#include "tools/chat/chat_session.h"

#include "runtime/platform.h"
#include "runtime/profile_access.h"
#include "runtime/run_time.h"
#include "store/file_paths.h"
#include "store/fixed_texts.h"
#include "tools/chat/chat_texts.h"
#include "tools/chat/host_markers.h"
#include "tools/chat/slash_command.h"

namespace vexlo::chat {
namespace {

std::string indented(std::string_view utf8) {
  std::string out;
  for (const std::string& line : splitLines(utf8)) {
    out += line.empty() ? "\n" : "  " + line + "\n";
  }
  return out;
}

std::string note(std::string_view text) { return "  (" + std::string(text) + ")\n"; }
std::string complaint(std::string_view text) { return "  ! " + std::string(text) + "\n"; }

std::string kindName(std::string_view code) {
  if (code == "2") return "group chat (kind 2)";
  if (code == "3") return "private chat (kind 3)";
  return "chat of kind \"" + std::string(code) + "\"";
}

}  // namespace

ChatSession::ChatSession(PluginLibrary& plugin, std::string profileDirectory)
    : plugin_(plugin), profileDirectory_(std::move(profileDirectory)) {}

std::string ChatSession::prompt() const {
  std::string text = senderName_ + "@" + groupId_;
  if (chatKind_ == "3") text += " (private)";
  else if (chatKind_ != "2") text += " (kind " + chatKind_ + ")";
  return text + "> ";
}

std::string ChatSession::description() { return indented(gbkToShown(plugin_.info())); }

std::string ChatSession::whoAmI() const {
  return "You are " + senderName_ + " (id " + senderId_ + ") in group " + groupId_ + ", " +
         kindName(chatKind_) + ".";
}

ChatSession::Outcome ChatSession::handle(std::string_view line) {
  const TypedLine typed = parseTypedLine(line);
  using Kind = TypedLine::Kind;
  Outcome outcome;
  // Ids, names and codes reach the plugin as GBK, so they must have a GBK form.
  const auto toGbk = [&outcome](std::string_view utf8, std::string& gbk) {
    TypedText converted = typedToGbk(utf8);
    if (!converted.ok) {
      outcome.output = complaint(converted.problem + "; nothing was changed");
      return false;
    }
    gbk = std::move(converted.gbk);
    return true;
  };

  switch (typed.kind) {
    case Kind::message: {
      TypedText converted = typedToGbk(typed.text);
      outcome.output = converted.ok ? sendMessage(converted.gbk)
                                    : complaint(converted.problem + "; nothing was sent");
      break;
    }
    case Kind::switchSender: {
      std::string name = typed.name;
      if (name.empty()) {
        const auto known = knownNames_.find(typed.text);
        name = known != knownNames_.end() ? known->second : typed.text;
      }
      std::string idGbk, nameGbk;
      if (!toGbk(typed.text, idGbk) || !toGbk(name, nameGbk)) break;
      senderId_ = typed.text, senderIdGbk_ = std::move(idGbk);
      senderName_ = name, senderNameGbk_ = std::move(nameGbk);
      knownNames_[senderId_] = senderName_;
      outcome.output = note("you are now " + senderName_ + ", id " + senderId_);
      break;
    }
    case Kind::switchGroup: {
      std::string idGbk;
      if (!toGbk(typed.text, idGbk)) break;
      groupId_ = typed.text, groupIdGbk_ = std::move(idGbk);
      outcome.output = note("you are now in group " + groupId_);
      break;
    }
    case Kind::switchKind: {
      std::string codeGbk;
      if (!toGbk(typed.text, codeGbk)) break;
      chatKind_ = typed.text, chatKindGbk_ = std::move(codeGbk);
      outcome.output = note("messages now come from a " + kindName(chatKind_));
      break;
    }
    case Kind::showInfo:
      outcome.output = description();
      break;
    case Kind::showScores:
      outcome.output = showScores();
      break;
    case Kind::showHelp:
      outcome.output = indented(slashCommandHelp());
      break;
    case Kind::quit:
      outcome.quit = true;
      break;
    case Kind::invalid:
      outcome.output = complaint(typed.text);
      break;
  }
  return outcome;
}

std::string ChatSession::sendMessage(std::string_view gbkMessage) {
  const std::string reply = plugin_.plugmain(gbkMessage, chatKindGbk_, groupIdGbk_, senderIdGbk_);
  if (reply.empty()) return note("no reply");
  return indented(gbkToShown(replaceHostMarkers(reply, senderNameGbk_)));
}

std::string ChatSession::showScores() {
  RunTime runTime;
  runTime.runDirectory = profileDirectory_;
  runTime.profiles = &platformProfileFiles();
  const std::string file = scoreBookPath(runTime);
  struct Row {
    std::string_view section;
    const char* meaning;
  };
  const Row rows[] = {{texts::pointsSection, "points"},
                      {texts::correctCountSection, "right answers"},
                      {texts::wrongCountSection, "wrong answers"},
                      {texts::levelSection, "level"}};
  std::string out = note("score book entries of " + senderName_ + ", id " + senderId_);
  for (const Row& row : rows) {
    const std::string value = readProfileText(*runTime.profiles, file, row.section, senderIdGbk_);
    out += "  " + gbkToShown(row.section) + " (" + row.meaning + "): " +
           (value.empty() ? std::string("-") : gbkToShown(value)) + "\n";
  }
  return out;
}

}  // namespace vexlo::chat
