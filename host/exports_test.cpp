// Tests of the two exports at the boundary: the description, null arguments, the host's texts left
// untouched, and a previous reply passed back in.
#include <gtest/gtest.h>

#include <string>

#include "host/exports.h"
#include "store/fixed_texts.h"

namespace {

TEST(Exports, InfoReturnsTheDescriptionAnewEachCall) {
  const std::string first = info();
  EXPECT_EQ(first, vexlo::texts::description);
  EXPECT_EQ(info(), first);
}

TEST(Exports, NullArgumentsAreEmptyTexts) {
  // An empty message equals the empty answer that an empty group reads; chat kind "" refuses it.
  const char* reply = plugmain(nullptr, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(reply, nullptr);
  EXPECT_EQ(std::string(reply), vexlo::texts::privateChatReply);
}

TEST(Exports, HostTextsAreOnlyRead) {
  char message[] = " \"0\"\r\n";
  EXPECT_EQ(std::string(plugmain(message, "2", "g", "s", nullptr)), vexlo::texts::quickCommandReply);
  EXPECT_EQ(std::string(message), " \"0\"\r\n");
}

TEST(Exports, APreviousReplyPassedBackArrivesIntact) {
  const char* previous = plugmain("帮助", "3", "g", "s", nullptr);
  // Cleaned, the help text is no command and differs from the group's answer: chat kind "3" refuses.
  EXPECT_EQ(std::string(plugmain(previous, "3", "g", "s", previous)),
            vexlo::texts::privateChatReply);
  const char* help = plugmain("命令", "3", "g", "s", nullptr);
  EXPECT_EQ(std::string(plugmain("0", "3", help, help, help)), vexlo::texts::quickCommandReply);
}

}  // namespace
