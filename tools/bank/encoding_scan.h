// Encoding checks and conversions for the bank tools: which encoding a file is in, where its bytes
// stop being GBK or UTF-8, and which UTF-8 characters GBK cannot hold. Positions are 1-based lines
// and columns; a column counts characters of the text's own encoding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::tools {

struct TextPosition {
  std::size_t line = 1;
  std::size_t column = 1;
};

// A character or byte sequence that cannot be taken over, where it stands and what it is.
struct BadCharacter {
  TextPosition at;
  std::string shown;  // UTF-8 for display: the character, or its bytes as \xNN when it has no form
  bool malformed = false;  // bytes that form no character of the text's encoding at all
};

enum class ByteOrderMark { None, Utf8, Utf16Le, Utf16Be };

// The byte-order mark the bytes start with, if any.
ByteOrderMark byteOrderMarkOf(std::string_view bytes);

// The length in bytes of that mark.
std::size_t byteOrderMarkLength(ByteOrderMark mark);

// Every byte sequence of a GBK text that is no GBK character as code page 936 reads it: a byte
// 0x81-0xFE without a second byte 0x40-0x7E or 0x80-0xFE after it, and the byte 0xFF. (The host
// reads such a sequence as "?", and it can swallow the line end after it.)
std::vector<BadCharacter> findInvalidGbk(std::string_view gbk);

// True when the text holds bytes of 0x80 or above and all of it is well-formed UTF-8: a file that
// is almost surely UTF-8, which the host (reading GBK) would garble.
bool looksLikeUtf8(std::string_view text);

// The GBK form of a UTF-8 text, or the characters that stop it: malformed UTF-8 and characters
// GBK cannot hold, each with its place.
struct GbkConversion {
  std::string gbk;
  std::vector<BadCharacter> failures;  // empty when `gbk` holds the whole text
};
GbkConversion convertUtf8ToGbk(std::string_view utf8);

// A GBK text as UTF-8 for display; bytes that are no GBK character show as \xNN.
std::string shownText(std::string_view gbk);

}  // namespace vexlo::tools
