// Tests that asking for an element beyond the end of a text array ends the process.
#include <gtest/gtest.h>

#include "runtime/text_ops.h"

namespace vexlo {
namespace {

TEST(TextOpsDeathTest, ElementOutsideTheArrayIsFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const TextArray parts = splitText("a.b", ".", std::nullopt);
  EXPECT_DEATH(elementAt(parts, 3), "3");
  EXPECT_DEATH(elementAt(parts, 0), "0");
  EXPECT_DEATH(elementAt(TextArray{}, 1), "1");
}

}  // namespace
}  // namespace vexlo
