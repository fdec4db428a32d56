// The single-byte codes the engine tells apart: chat kinds, question kinds, the characters the
// clean-up removes and the delimiters it splits at, and the default reply built on the chat kind.
#pragma once

#include <string>
#include <string_view>

#include "store/fixed_texts.h"

namespace vexlo::codes {

inline constexpr std::string_view groupChat = "2";    // the only chat kind that plays
inline constexpr std::string_view privateChat = "3";  // the kind whose default reply is a refusal

inline constexpr std::string_view hintKind = "0";    // wrong answers get the hint pointer
inline constexpr std::string_view scoredKind = "1";  // wrong answers are scored

inline constexpr std::string_view noCategory = "0";  // a selection of "0" selects nothing

inline constexpr std::string_view doubleQuote = "\"";
inline constexpr std::string_view blank = " ";
inline constexpr std::string_view lineBreak = "\r\n";
inline constexpr int blanksRemoved = 10;  // only the first ten blanks of a message go

inline constexpr std::string_view partDelimiter = ".";  // category.item, 分类.number
inline constexpr std::string_view lineDelimiter = "|";  // question|answer

}  // namespace vexlo::codes

namespace vexlo {

// The reply of a path that has none of its own: the private-chat refusal in chat kind "3", the
// empty text in every other kind.
inline std::string defaultReply(std::string_view chatKind) {
  return std::string(chatKind == codes::privateChat ? texts::privateChatReply : std::string_view());
}

}  // namespace vexlo
