// Every fixed text of the system: file names, section and key names, command words, replies and the
// description. Written once, in UTF-8, in fixed_texts.cpp; the build compiles that one file with the
// GBK execution character set, so each view below holds GBK bytes.
#pragma once

#include <string_view>

namespace vexlo::texts {

// Path tails joined to the run directory.
extern const std::string_view scoreBookTail;  // \plugin\Vexlo积分.ini
extern const std::string_view bankTail;       // \plugin\Vexlo设置.ini

// Score book sections and keys.
extern const std::string_view pointsSection;        // 用户积分
extern const std::string_view correctCountSection;  // 正确题数
extern const std::string_view wrongCountSection;    // 错误题数
extern const std::string_view levelSection;         // 用户等级
extern const std::string_view groupAnswerSection;   // 群答案
extern const std::string_view titleListKey;         // 标题列表 (in section 内容类型)

// Question bank sections and keys.
extern const std::string_view selectionSection;       // 内容类型 (also in the score book)
extern const std::string_view selectionKey;           // 类型
extern const std::string_view categorySectionPrefix;  // 问题内容
extern const std::string_view titleKey;               // 标题
extern const std::string_view questionCountKey;       // 问题个数
extern const std::string_view questionKindKey;        // 题目类型

// Command words, compared with the whole cleaned message.
extern const std::string_view drawCommand;      // 出题
extern const std::string_view skipCommand;      // 跳过
extern const std::string_view quickCommand;     // 0
extern const std::string_view hintCommand;      // 提示
extern const std::string_view listCommand;      // 列表
extern const std::string_view helpCommand;      // 帮助
extern const std::string_view commandsCommand;  // 命令
extern const std::string_view selectCommand;    // 分类

// Replies and reply pieces.
extern const std::string_view privateChatReply;
extern const std::string_view quickCommandReply;
extern const std::string_view helpReply;
extern const std::string_view answerPrefix;
extern const std::string_view hintSuffix;
extern const std::string_view defaultGroupAnswer;  // 问题答案
extern const std::string_view repeatRefusal;
extern const std::string_view rightAnswerHead;
extern const std::string_view wrongAnswerHead;
extern const std::string_view pointsTail;       // "分， 成绩:"
extern const std::string_view accuracyTail;     // "分"
extern const std::string_view answerSeparator;  // "，"
extern const std::string_view overMaximumHead;
extern const std::string_view overMaximumTail;
extern const std::string_view hintPointer;
extern const std::string_view answeredMark;  // 重复
extern const std::string_view listingHead;
extern const std::string_view listingLabel;
extern const std::string_view listingTail;
extern const std::string_view selectionReply;

// The ten-line description returned by `info`, every line ended by CR LF.
extern const std::string_view description;

}  // namespace vexlo::texts
