// Small rules about bank texts that the checker and the importer share: what counts as a whole
// number, a comment-like line, and what becomes of an answer on its way from the bank through the
// score book to the comparison with a player's cleaned-up message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/profile_document.h"

namespace vexlo::tools {

// True for a non-empty text of ASCII digits only.
bool isWholeNumber(std::string_view text);

// True for an entry whose key starts with ";" or "#": a line people write as a comment (the
// plugin never asks for such a key).
bool isCommentLike(const ProfileEntry& entry);

// The text with ASCII letters in upper case.
std::string upperAscii(std::string_view text);

// The value a read of the entry gives before the read buffer cuts it: its text without one pair
// of enclosing quotes.
std::string readValueOf(const ProfileEntry& entry);

// The number of characters of a GBK text (a double-byte character counts once).
std::size_t characterCount(std::string_view gbk);

// What happens to a drawn answer: the plugin stores it for the group in the score book, reads it
// back, and compares it with each player's message after the clean-up (every double quote, the
// first ten blanks and every CR LF pair removed) and after the command words are taken out.
struct AnswerVerdict {
  std::string stored;     // the answer as read back from the score book (GBK)
  bool scorable = true;   // some message a player can send equals it
  std::string reason;     // why not, one sentence (UTF-8)
  std::string note;       // a warning about how it must be typed, or empty (UTF-8)
};
AnswerVerdict judgeStoredAnswer(std::string_view answer);

}  // namespace vexlo::tools
