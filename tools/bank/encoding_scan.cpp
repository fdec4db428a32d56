// Encoding checks and conversions for the bank tools.
#include "tools/bank/encoding_scan.h"

#include <cstdint>
#include <cstdio>

#include "runtime/code_page.h"

namespace vexlo::tools {

namespace {

unsigned byteAt(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

bool isGbkLead(unsigned b) { return b >= 0x81 && b <= 0xFE; }
bool isGbkTrail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

std::string hexBytes(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    char buffer[5];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(c));
    out += buffer;
  }
  return out;
}

// Length of the well-formed UTF-8 sequence at `i`, or 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
  const unsigned b = byteAt(text, i);
  if (b < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
    code = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    code = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    code = b & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned c = byteAt(text, i + k);
    if ((c & 0xC0) != 0x80) return 0;
    code = (code << 6) | (c & 0x3F);
  }
  if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
      (code >= 0xD800 && code <= 0xDFFF)) {
    return 0;
  }
  return length;
}

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Moves a position past one character; a line ends at LF, at CR, or at CR LF.
void advance(TextPosition& at, std::string_view text, std::size_t i) {
  const char c = text[i];
  if (c == '\n' || (c == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n'))) {
    ++at.line;
    at.column = 1;
  } else if (c != '\r') {
    at.column += 1;
  }
}

}  // namespace

ByteOrderMark byteOrderMarkOf(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return ByteOrderMark::Utf8;
  if (bytes.substr(0, 2) == "\xFF\xFE") return ByteOrderMark::Utf16Le;
  if (bytes.substr(0, 2) == "\xFE\xFF") return ByteOrderMark::Utf16Be;
  return ByteOrderMark::None;
}

std::size_t byteOrderMarkLength(ByteOrderMark mark) {
  switch (mark) {
    case ByteOrderMark::Utf8:
      return 3;
    case ByteOrderMark::Utf16Le:
    case ByteOrderMark::Utf16Be:
      return 2;
    case ByteOrderMark::None:
      break;
  }
  return 0;
}

std::vector<BadCharacter> findInvalidGbk(std::string_view gbk) {
  std::vector<BadCharacter> found;
  TextPosition at;
  for (std::size_t i = 0; i < gbk.size();) {
    const unsigned b = byteAt(gbk, i);
    std::size_t length = 1;
    if (isGbkLead(b)) {
      if (i + 1 < gbk.size() && isGbkTrail(byteAt(gbk, i + 1))) {
        length = 2;
      } else {
        found.push_back({at, hexBytes(gbk.substr(i, 1)), true});
      }
    } else if (b == 0xFF) {
      found.push_back({at, hexBytes(gbk.substr(i, 1)), true});
    }
    advance(at, gbk, i);
    i += length;
  }
  return found;
}

bool isValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

bool looksLikeUtf8(std::string_view text) {
  bool wide = false;
  for (const char c : text) wide = wide || static_cast<unsigned char>(c) >= 0x80;
  return wide && isValidUtf8(text);
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian, bool& ok) {
  ok = bytes.size() % 2 == 0;
  std::string out;
  auto unitAt = [&](std::size_t i) -> std::uint32_t {
    const unsigned first = byteAt(bytes, i), second = byteAt(bytes, i + 1);
    return bigEndian ? (first << 8) | second : (second << 8) | first;
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    std::uint32_t code = unitAt(i);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
      const std::uint32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) {
      ok = false;
      code = 0xFFFD;
    }
    appendUtf8(out, code);
  }
  return out;
}

GbkConversion convertUtf8ToGbk(std::string_view utf8) {
  GbkConversion result;
  if (auto whole = utf8ToGbk(utf8)) {
    result.gbk = std::move(*whole);
    return result;
  }
  TextPosition at;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = utf8SequenceLength(utf8, i);
    if (length == 0) {
      result.failures.push_back({at, hexBytes(utf8.substr(i, 1)), true});
      length = 1;
    } else if (length == 1) {
      result.gbk += utf8[i];
    } else if (auto one = utf8ToGbk(utf8.substr(i, length))) {
      result.gbk += *one;
    } else {
      result.failures.push_back({at, std::string(utf8.substr(i, length)), false});
    }
    advance(at, utf8, i);
    i += length;
  }
  if (!result.failures.empty()) result.gbk.clear();
  return result;
}

std::string shownText(std::string_view gbk) {
  if (auto whole = gbkToUtf8(gbk)) return *whole;
  std::string out;
  for (std::size_t i = 0; i < gbk.size();) {
    const unsigned b = byteAt(gbk, i);
    std::size_t length = isGbkLead(b) && i + 1 < gbk.size() && isGbkTrail(byteAt(gbk, i + 1)) ? 2 : 1;
    if (b < 0x80) {
      out += gbk[i];
    } else if (auto one = gbkToUtf8(gbk.substr(i, length))) {
      out += *one;
    } else {
      out += hexBytes(gbk.substr(i, length));
    }
    i += length;
  }
  return out;
}

}  // namespace vexlo::tools
