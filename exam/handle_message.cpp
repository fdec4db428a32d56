// The dispatcher: clean-up, the sender's record, and the commands posting a question, showing the
// answer, the quick-command and help replies; the rest goes to categories and answer judging.
#include "exam/handle_message.h"

#include "exam/categories.h"
#include "exam/draw_question.h"
#include "exam/file_access.h"
#include "exam/judge_answer.h"
#include "exam/message_codes.h"
#include "runtime/number_text.h"
#include "runtime/text_ops.h"
#include "store/fixed_texts.h"

namespace vexlo {

namespace {

// Draws a question, stores its answer for the group and returns the post. The hint line follows
// the kind of the question being posted.
std::string postQuestion(ExamState& state, RunTime& runTime, std::string_view groupId) {
  drawQuestion(state, runTime);
  writeScoreBook(runTime, texts::groupAnswerSection, groupId, state.currentAnswer);

  const std::string_view hint =
      state.questionKind == codes::hintKind ? texts::hintSuffix : std::string_view();
  const std::string number = integerToText(state.questionNumber);
  if (state.categoryTitle.empty()) {
    return concatTexts({number, codes::partDelimiter, state.questionText, hint});
  }
  return concatTexts({state.categoryTitle, codes::lineBreak, number, codes::partDelimiter,
                      state.questionText, hint});
}

// Reads the group's answer into currentAnswer and returns it behind the answer prefix. The
// question stays open.
std::string showAnswer(ExamState& state, RunTime& runTime, std::string_view groupId) {
  state.currentAnswer =
      readScoreBook(runTime, texts::groupAnswerSection, groupId, texts::defaultGroupAnswer);
  return concatTexts({texts::answerPrefix, state.currentAnswer});
}

}  // namespace

std::string cleanMessage(std::string_view message) {
  std::string cleaned = replaceText(message, codes::doubleQuote, "", std::nullopt, std::nullopt, true);
  cleaned = replaceText(cleaned, codes::blank, "", std::nullopt, codes::blanksRemoved, true);
  return replaceText(cleaned, codes::lineBreak, "", std::nullopt, std::nullopt, true);
}

std::string handleMessage(ExamState& state, RunTime& runTime, std::string& message,
                          const std::string& chatKind, const std::string& groupId,
                          const std::string& senderId, const std::string& /*extra*/) {
  message = cleanMessage(message);

  SenderRecord sender;
  sender.points = readScoreBook(runTime, texts::pointsSection, senderId);
  state.senderCorrectCount = readScoreBook(runTime, texts::correctCountSection, senderId);
  sender.wrongCount = readScoreBook(runTime, texts::wrongCountSection, senderId);

  const bool inGroup = chatKind == codes::groupChat;
  if (message == texts::drawCommand || message == texts::skipCommand) {
    return inGroup ? postQuestion(state, runTime, groupId) : std::string(texts::privateChatReply);
  }
  if (message == texts::quickCommand) {
    return std::string(texts::quickCommandReply);
  }
  if (message == texts::hintCommand && inGroup) {
    return showAnswer(state, runTime, groupId);
  }
  if (message == texts::listCommand) {
    return listCategories(state, runTime);
  }
  if (message == texts::helpCommand || message == texts::commandsCommand) {
    return std::string(texts::helpReply);
  }

  const TextArray parts = splitText(message, codes::partDelimiter, std::nullopt);
  if (elementCount(parts) == 2 && elementAt(parts, 1) == texts::selectCommand) {
    return selectCategory(runTime, elementAt(parts, 2));
  }
  return judgeAnswer(state, runTime, message, chatKind, groupId, senderId, sender);
}

}  // namespace vexlo
