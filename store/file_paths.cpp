#include "store/file_paths.h"

#include "runtime/text_ops.h"
#include "store/fixed_texts.h"

namespace vexlo {

std::string scoreBookPath(const RunTime& runTime) {
  return concatTexts({runTime.getRunDirectory(), texts::scoreBookTail});
}

std::string bankPath(const RunTime& runTime) {
  return concatTexts({runTime.getRunDirectory(), texts::bankTail});
}

std::string categorySection(std::string_view number) {
  return concatTexts({texts::categorySectionPrefix, number});
}

}  // namespace vexlo
