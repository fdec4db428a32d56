// Answer judging and scoring: the group's answer, the bank-line lookup, the over-maximum check,
// the kinds of wrong answers, and the writes of a scored answer in their fixed order.
#include "exam/judge_answer.h"

#include "exam/file_access.h"
#include "exam/message_codes.h"
#include "runtime/number_text.h"
#include "runtime/text_ops.h"
#include "store/fixed_texts.h"

namespace vexlo {

namespace {

// How far a number may exceed the question count before it is rejected.
constexpr double overMaximumMargin = 0.0000001;

// Rounds an intermediate result to a double. Without it an x87 build may carry extended precision
// from one step into the next and floor a product differently.
double roundedToDouble(double value) {
  volatile double stored = value;
  return stored;
}

// Returns the sender's right plus wrong answers as the number the stored texts give, after the
// round trip through text that the totals take.
double answeredTotal(const ExamState& state, const SenderRecord& sender) {
  const double sum =
      roundedToDouble(textToNumber(state.senderCorrectCount) + textToNumber(sender.wrongCount));
  return textToNumber(realToText(sum));
}

// The part of scoring that a right and a wrong answer share: close the question, store the level
// and return the accuracy as text.
std::string closeAndStoreLevel(ExamState& state, RunTime& runTime, std::string_view senderId,
                               const SenderRecord& sender) {
  const double total = answeredTotal(state, sender);
  const std::string accuracy =
      integerToText(accuracyPercent(textToNumber(state.senderCorrectCount), total));
  const std::string level = integerToText(levelOf(total));
  state.answeredMark = texts::answeredMark;
  writeScoreBook(runTime, texts::levelSection, senderId, level);
  return accuracy;
}

std::string scoreRightAnswer(ExamState& state, RunTime& runTime, std::string_view senderId,
                             SenderRecord& sender) {
  const std::string oldPoints = readScoreBook(runTime, texts::pointsSection, senderId);
  writeScoreBook(runTime, texts::pointsSection, senderId,
                 realToText(roundedToDouble(textToNumber(oldPoints) + 1.0)));
  // The reply shows what the file holds now: nothing, when the write failed.
  sender.points = readScoreBook(runTime, texts::pointsSection, senderId);

  state.senderCorrectCount =
      realToText(roundedToDouble(textToNumber(state.senderCorrectCount) + 1.0));
  writeScoreBook(runTime, texts::correctCountSection, senderId, state.senderCorrectCount);

  const std::string accuracy = closeAndStoreLevel(state, runTime, senderId, sender);
  return concatTexts({texts::rightAnswerHead, sender.points, texts::pointsTail, accuracy,
                      texts::accuracyTail});
}

std::string scoreWrongAnswer(ExamState& state, RunTime& runTime, std::string_view senderId,
                             SenderRecord& sender) {
  sender.points = realToText(roundedToDouble(textToNumber(sender.points) - 1.0));
  sender.wrongCount = realToText(roundedToDouble(textToNumber(sender.wrongCount) + 1.0));
  writeScoreBook(runTime, texts::wrongCountSection, senderId, sender.wrongCount);
  writeScoreBook(runTime, texts::pointsSection, senderId, sender.points);

  const std::string accuracy = closeAndStoreLevel(state, runTime, senderId, sender);
  return concatTexts({texts::wrongAnswerHead, state.currentAnswer, texts::answerSeparator,
                      sender.points, texts::pointsTail, accuracy, texts::accuracyTail});
}

}  // namespace

std::int32_t accuracyPercent(double correct, double total) {
  if (total == 0.0) {
    // Counts edited by hand can cancel out. No division by zero: a host may have unmasked the
    // floating-point exceptions.
    return 0;
  }
  const double ratio = roundedToDouble(correct / total);
  return floorToInteger(roundedToDouble(ratio * 100.0));
}

std::int32_t levelOf(double total) { return floorToInteger(roundedToDouble(total / 10.0)); }

std::string judgeAnswer(ExamState& state, RunTime& runTime, std::string_view message,
                        std::string_view chatKind, std::string_view groupId,
                        std::string_view senderId, SenderRecord& sender) {
  state.currentAnswer =
      readScoreBook(runTime, texts::groupAnswerSection, groupId, texts::defaultGroupAnswer);
  const bool inGroup = chatKind == codes::groupChat;

  if (compareTexts(message, state.currentAnswer) == 0) {
    if (!inGroup) {
      return std::string(texts::privateChatReply);
    }
    if (state.answeredMark == texts::answeredMark) {
      return std::string(texts::repeatRefusal);
    }
    return scoreRightAnswer(state, runTime, senderId, sender);
  }
  if (!inGroup) {
    return defaultReply(chatKind);
  }

  state.questionCount = truncateToInteger(textToNumber(
      readBank(runTime, categorySection(state.currentCategory), texts::questionCountKey)));

  const TextArray parts = splitText(message, codes::partDelimiter, std::nullopt);
  if (elementCount(parts) == 2) {
    // category.item: the bank's line as stored, question and answer included
    return readBank(runTime, categorySection(elementAt(parts, 1)), elementAt(parts, 2));
  }
  if (roundedToDouble(textToNumber(message) - state.questionCount) > overMaximumMargin) {
    return concatTexts({texts::overMaximumHead, integerToText(state.questionCount),
                        texts::overMaximumTail});
  }
  if (state.questionKind == codes::hintKind) {
    return std::string(texts::hintPointer);
  }
  if (state.questionKind != codes::scoredKind) {
    return defaultReply(chatKind);
  }
  if (state.answeredMark == texts::answeredMark) {
    return std::string(texts::repeatRefusal);
  }
  return scoreWrongAnswer(state, runTime, senderId, sender);
}

}  // namespace vexlo
