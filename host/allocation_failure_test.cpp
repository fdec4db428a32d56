// Tests that exhausted memory ends the process with a report naming the bytes requested.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>

namespace {

TEST(AllocationFailureDeathTest, EndsTheProcessNamingTheBytesRequested) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        void* volatile block = ::operator new(std::size_t{1} << 62);
        static_cast<void>(block);
      },
      [](int status) { return status != 0; },
      "out of memory \\(4611686018427387904 bytes requested\\)");
}

}  // namespace
