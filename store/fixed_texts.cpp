// The fixed texts, in UTF-8 here; this file is compiled with the GBK execution character set.
#include "store/fixed_texts.h"

namespace vexlo::texts {

const std::string_view scoreBookTail = "\\plugin\\Vexlo积分.ini";
const std::string_view bankTail = "\\plugin\\Vexlo设置.ini";

const std::string_view pointsSection = "用户积分";
const std::string_view correctCountSection = "正确题数";
const std::string_view wrongCountSection = "错误题数";
const std::string_view levelSection = "用户等级";
const std::string_view groupAnswerSection = "群答案";
const std::string_view titleListKey = "标题列表";

const std::string_view selectionSection = "内容类型";
const std::string_view selectionKey = "类型";
const std::string_view categorySectionPrefix = "问题内容";
const std::string_view titleKey = "标题";
const std::string_view questionCountKey = "问题个数";
const std::string_view questionKindKey = "题目类型";

const std::string_view drawCommand = "出题";
const std::string_view skipCommand = "跳过";
const std::string_view quickCommand = "0";
const std::string_view hintCommand = "提示";
const std::string_view listCommand = "列表";
const std::string_view helpCommand = "帮助";
const std::string_view commandsCommand = "命令";
const std::string_view selectCommand = "分类";

const std::string_view privateChatReply = "Vexlo暂不支持私聊使用！";
const std::string_view quickCommandReply = "@Vexlo 出题|答案序号|跳过|0";
const std::string_view helpReply =
    "Vexlo有以下功能命令\r\n@Vexlo 出题\r\n@Vexlo 跳过\r\n@Vexlo 列表\r\n@Vexlo 分类.分类序号\r\n"
    "@Vexlo 节序号，配置项序号";
const std::string_view answerPrefix = "答案是:\r\n";
const std::string_view hintSuffix = "[enter]如需提示发@Vexlo 提示";
const std::string_view defaultGroupAnswer = "问题答案";
const std::string_view repeatRefusal = "[name]:请勿重复答题！";
const std::string_view rightAnswerHead = "[name]:回答正确！积分+1，";
const std::string_view wrongAnswerHead = "[name]:回答错误！积分-1，正确答案为：";
const std::string_view pointsTail = "分， 成绩:";
const std::string_view accuracyTail = "分";
const std::string_view answerSeparator = "，";
const std::string_view overMaximumHead = "超过题目最大数，当前最多";
const std::string_view overMaximumTail = "道题";
const std::string_view hintPointer = "如需提示发@Vexlo 提示";
const std::string_view answeredMark = "重复";
const std::string_view listingHead = "分类问题标题如下\r\n";
const std::string_view listingLabel = " 内容类型:";
const std::string_view listingTail = "\r\n发送@Vexlo 分类.内容类型序号，即可设置内容类型";
const std::string_view selectionReply = "内容类型已配置成功";

const std::string_view description =
    "Vexlo\r\n"
    "1.5版\r\n"
    "Dorvane\r\n"
    "发送格式：@Vexlo 出题/答案序号/跳过/0;发送带0的是快捷使用命令，方便用户对命令的快捷复制(修改)\r\n"
    "@Vexlo\r\n"
    " 出题或答案\r\n"
    "\r\n"
    "plugmain\r\n"
    "1\r\n"
    "假\r\n";

}  // namespace vexlo::texts
