// The backslash escapes that the test input files share: \r \n \t \\ and \xNN (two hex digits).
// Each file format adds its own escapes around these.
#pragma once

#include <cstddef>
#include <string_view>

namespace vexlo::test_text {

// What one escape letter read as.
struct CommonEscape {
  enum class Kind {
    Byte,       // a shared escape: `byte` is the byte it stands for
    NotCommon,  // another letter: the caller's own escape or an error
    BadHex,     // \x without two hex digits after it
  } kind = Kind::NotCommon;
  char byte = 0;
};

// Reads the escape whose letter (the byte after the backslash) is at `pos`. REQUIRES: pos <
// text.size(). For a shared escape `pos` moves past it (past the digits of \xNN); otherwise `pos`
// stays on the letter.
inline CommonEscape readCommonEscape(std::string_view text, std::size_t& pos) {
  auto hexDigit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  using Kind = CommonEscape::Kind;
  char byte = 0;
  switch (text[pos]) {
    case 'r': byte = '\r'; break;
    case 'n': byte = '\n'; break;
    case 't': byte = '\t'; break;
    case '\\': byte = '\\'; break;
    case 'x': {
      const int hi = pos + 1 < text.size() ? hexDigit(text[pos + 1]) : -1;
      const int lo = pos + 2 < text.size() ? hexDigit(text[pos + 2]) : -1;
      if (hi < 0 || lo < 0) return {Kind::BadHex, 0};
      pos += 3;
      return {Kind::Byte, static_cast<char>(hi * 16 + lo)};
    }
    default:
      return {Kind::NotCommon, 0};
  }
  pos += 1;
  return {Kind::Byte, byte};
}

}  // namespace vexlo::test_text
