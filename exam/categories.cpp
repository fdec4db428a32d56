// The category commands: "列表" lists the titled categories 1 to 100, "分类.n" selects one.
#include "exam/categories.h"

#include "exam/file_access.h"
#include "exam/message_codes.h"
#include "runtime/number_text.h"
#include "runtime/text_ops.h"
#include "store/fixed_texts.h"

namespace vexlo {

namespace {
constexpr std::int32_t firstListed = 1;
constexpr std::int32_t lastListed = 100;
}  // namespace

std::string listCategories(ExamState& state, RunTime& runTime) {
  writeScoreBook(runTime, texts::selectionSection, texts::titleListKey, "");

  std::string list;
  for (state.listIndex = firstListed; state.listIndex <= lastListed; ++state.listIndex) {
    const std::string number = integerToText(state.listIndex);
    const std::string title = readBank(runTime, categorySection(number), texts::titleKey);
    if (!title.empty()) {
      list = concatTexts({list, codes::lineBreak, title, texts::listingLabel, number});
    }
  }
  return concatTexts({texts::listingHead, list, texts::listingTail});
}

std::string selectCategory(RunTime& runTime, std::string_view number) {
  writeBank(runTime, texts::selectionSection, texts::selectionKey, number);
  return std::string(texts::selectionReply);
}

}  // namespace vexlo
