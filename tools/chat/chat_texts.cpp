// Text conversions at the terminal, on top of the project's GBK converter.
#include "tools/chat/chat_texts.h"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "runtime/code_page.h"

namespace vexlo::chat {
namespace {

// Returns the length of the valid UTF-8 character at the start of `text`, or 0 when it is not one
// (a stray continuation byte, an overlong form, a surrogate, a value above U+10FFFF, a cut end).
std::size_t utf8CharacterLength(std::string_view text, std::uint32_t& codePoint) {
  const auto b0 = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  std::uint32_t minimum = 0;
  if (b0 < 0x80) {
    codePoint = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    length = 2, minimum = 0x80, codePoint = b0 & 0x1Fu;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, minimum = 0x800, codePoint = b0 & 0x0Fu;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, minimum = 0x10000, codePoint = b0 & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (b & 0x3Fu);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

std::string hexByte(unsigned char byte) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
  return buffer;
}

std::string codePointName(std::uint32_t codePoint) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(codePoint));
  return buffer;
}

}  // namespace

TypedText typedToGbk(std::string_view utf8) {
  TypedText result;
  if (auto gbk = utf8ToGbk(utf8)) {
    result.ok = true;
    result.gbk = std::move(*gbk);
    return result;
  }
  // Find the first character at fault, to name it.
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::uint32_t codePoint = 0;
    const std::size_t length = utf8CharacterLength(utf8.substr(i), codePoint);
    if (length == 0) {
      result.problem = "the line is not valid UTF-8 (byte " +
                       hexByte(static_cast<unsigned char>(utf8[i])) + " at position " +
                       std::to_string(i + 1) + ")";
      return result;
    }
    const std::string_view character = utf8.substr(i, length);
    if (!utf8ToGbk(character)) {
      result.problem = "GBK cannot hold the character " + std::string(character) + " (" +
                       codePointName(codePoint) + ")";
      return result;
    }
    i += length;
  }
  result.problem = "the line cannot be converted to GBK";
  return result;
}

std::string gbkToShown(std::string_view gbk) {
  if (auto utf8 = gbkToUtf8(gbk)) return std::move(*utf8);
  std::string out;
  std::size_t i = 0;
  while (i < gbk.size()) {
    const bool pair = static_cast<unsigned char>(gbk[i]) >= 0x80 && i + 1 < gbk.size();
    const std::size_t length = pair ? 2 : 1;
    if (auto piece = gbkToUtf8(gbk.substr(i, length))) {
      out += *piece;
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace vexlo::chat
