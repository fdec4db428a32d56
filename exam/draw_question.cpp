// Drawing a question: the selected category, its title, count and kind, and one random line of it.
#include "exam/draw_question.h"

#include "exam/file_access.h"
#include "exam/message_codes.h"
#include "runtime/number_text.h"
#include "runtime/random.h"
#include "runtime/text_ops.h"
#include "store/fixed_texts.h"

namespace vexlo {

void drawQuestion(ExamState& state, RunTime& runTime) {
  state.questionText.clear();
  state.answeredMark.clear();

  state.currentCategory = readBank(runTime, texts::selectionSection, texts::selectionKey);
  if (state.currentCategory.empty() || state.currentCategory == codes::noCategory) {
    return;  // no category selected
  }

  // The section name takes the category exactly as stored: "02" names 问题内容02.
  const std::string section = categorySection(state.currentCategory);
  state.categoryTitle = readBank(runTime, section, texts::titleKey);
  state.questionCount =
      truncateToInteger(textToNumber(readBank(runTime, section, texts::questionCountKey)));
  state.questionKind = readBank(runTime, section, texts::questionKindKey);

  reseedRandom(runTime.random, runTime.clock);
  state.questionNumber = randomBetween(runTime.random, 1, state.questionCount);

  state.questionLine = readBank(runTime, section, integerToText(state.questionNumber));
  state.questionParts = splitText(state.questionLine, codes::lineDelimiter, std::nullopt);
  if (elementCount(state.questionParts) != 2) {
    return;  // missing or malformed line: an empty question, the previous answer kept
  }
  state.questionText = copyText(elementAt(state.questionParts, 1));
  state.currentAnswer = copyText(elementAt(state.questionParts, 2));
}

}  // namespace vexlo
