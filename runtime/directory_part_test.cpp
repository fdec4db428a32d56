// The directory part of a GBK path: trail bytes 0x5C are no separators.
#include "runtime/directory_part.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

TEST(DirectoryPart, CutsAtTheLastRealBackslash) {
  struct Case {
    std::string path;
    std::string directory;
  };
  const Case cases[] = {
      {"C:\\Bot\\robot.exe", "C:\\Bot"},
      {"C:\\robot.exe", "C:"},
      {"robot.exe", ""},
      {"", ""},
      {"C:\\Bot\\", "C:\\Bot"},
      // 乗 is 0x81 0x5C: its trail byte is part of the name, not a separator.
      {"C:\\乗\\robot.exe", "C:\\乗"},
      {"C:\\Bot\\乗.exe", "C:\\Bot"},
      {"乗.exe", ""},
      // A 0x5C after a completed pair is a real separator again.
      {"C:\\中乗\\x", "C:\\中乗"},
      // A lead byte at the very end has no trail byte; an earlier backslash still counts.
      {std::string("C:\\a\\b\x81"), "C:\\a"},
      // 0x80 and 0xFF are single-byte characters, so the following 0x5C separates.
      {std::string("C:\\\x80\\x"), std::string("C:\\\x80")},
      {std::string("C:\\\xFF\\x"), std::string("C:\\\xFF")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(directoryPart(c.path), c.directory) << c.path;
  }
}

}  // namespace
}  // namespace vexlo
