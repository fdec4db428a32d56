// Tests of the category commands: the listing of titled categories and the selection.
#include <string>

#include "exam/exam_test_fixture.h"

namespace vexlo {
namespace {

TEST_F(ExamTest, ListingShowsTitledCategoriesOneToHundred) {
  EXPECT_EQ(send("列表", "3"), std::string(texts::listingHead) + std::string(texts::listingTail));
  EXPECT_EQ(score("内容类型", "标题列表"), "");

  writeBank({{"问题内容1", "标题", "Capitals"},
             {"问题内容2", "问题个数", "4"},  // no title: left out
             {"问题内容3", "标题", "Sums"},
             {"问题内容01", "标题", "never"},
             {"问题内容100", "标题", "last"},
             {"问题内容101", "标题", "never"}});
  EXPECT_EQ(send("列表", "1"),
            "分类问题标题如下\r\n\r\nCapitals 内容类型:1\r\nSums 内容类型:3\r\nlast 内容类型:100"
            "\r\n发送@Vexlo 分类.内容类型序号，即可设置内容类型");
  EXPECT_EQ(state.listIndex, 101);
}

TEST_F(ExamTest, SelectionStoresTheNumberAsTypedInEveryChatKind) {
  struct Case {
    std::string message, stored;  // "(absent)": no selection took place
  };
  const Case cases[] = {
      {"分类.3", "3"},     {"分类.03", "03"}, {"分类 .3", "3"}, {"分类.3.", "3"},
      {"分类..", ""},      {"分类.abc", "abc"},
      {"分类.", "(absent)"}, {"分类", "(absent)"}, {"分类.3.4", "(absent)"},
      // a line break in the number cannot add entries to the bank
      {"分类.4\n[x]\ny=1", "4"},
  };
  for (const Case& c : cases) {
    for (const std::string kind : {"3", "2"}) {
      writeBank({{"内容类型", "类型", "(absent)"}});
      const std::string reply = send(c.message, kind);
      EXPECT_EQ(bank("内容类型", "类型"), c.stored) << c.message;
      if (c.stored != "(absent)") {
        EXPECT_EQ(reply, texts::selectionReply) << c.message;
      }
    }
  }
  EXPECT_EQ(bank("x", "y"), "(absent)");
  EXPECT_EQ(bank("[x]", "y"), "(absent)");
}

}  // namespace
}  // namespace vexlo
