// The terminal host's reading of "[name]" and "[enter]".
#include "tools/chat/host_markers.h"

#include <gtest/gtest.h>

namespace vexlo::chat {
namespace {

TEST(HostMarkers, ReplacesNameAndEnterInOnePass) {
  struct Case {
    const char* reply;
    const char* name;
    const char* shown;
  };
  const Case cases[] = {
      {"[name]:回答正确！", "小明", "小明:回答正确！"},
      {"2.题目[enter]如需提示发@Vexlo 提示", "Bob", "2.题目\r\n如需提示发@Vexlo 提示"},
      {"[name][name][enter][enter]", "a", "aa\r\n\r\n"},
      // A name that holds a marker is shown as typed, not read again.
      {"[name]:x", "[enter]", "[enter]:x"},
      // Near misses stay as they are.
      {"[Name] [enter [name", "n", "[Name] [enter [name"},
      {"", "n", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(replaceHostMarkers(c.reply, c.name), c.shown) << c.reply;
  }
}

TEST(HostMarkers, NeverStartsAMarkerOnASecondByte) {
  // 0x81 0x5B is one GBK character whose second byte is "[": "name]" after it is no marker.
  EXPECT_EQ(replaceHostMarkers("\x81[name]", "Bob"), "\x81[name]");
  EXPECT_EQ(replaceHostMarkers("\x81\x81[name]", "Bob"), "\x81\x81" "Bob");
  // A lone lead byte at the end is kept.
  EXPECT_EQ(replaceHostMarkers("[name]\x81", "Bob"), "Bob\x81");
}

}  // namespace
}  // namespace vexlo::chat
