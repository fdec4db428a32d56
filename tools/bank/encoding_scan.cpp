// Encoding checks and conversions for the bank tools.
#include "tools/bank/encoding_scan.h"

#include <cstdio>

#include "runtime/code_page.h"
#include "runtime/unicode_text.h"

namespace vexlo::tools {

namespace {

unsigned byteAt(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// True when a double-byte GBK character starts at `i`: a lead byte and a trail byte after it.
bool isGbkPair(std::string_view text, std::size_t i) {
  return gbk::isLeadByte(text[i]) && i + 1 < text.size() && gbk::isTrailByte(text[i + 1]);
}

std::string hexBytes(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    char buffer[5];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(c));
    out += buffer;
  }
  return out;
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
    if (gbk::isLeadByte(gbk[i])) {
      if (isGbkPair(gbk, i)) {
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

bool looksLikeUtf8(std::string_view text) {
  bool wide = false;
  for (const char c : text) wide = wide || static_cast<unsigned char>(c) >= 0x80;
  return wide && unicode::isValidUtf8(text);
}

GbkConversion convertUtf8ToGbk(std::string_view utf8) {
  GbkConversion result;
  if (auto whole = utf8ToGbk(utf8)) {
    result.gbk = std::move(*whole);
    return result;
  }
  TextPosition at;
  for (std::size_t i = 0; i < utf8.size();) {
    const unicode::Utf8Sequence sequence = unicode::decodeUtf8At(utf8, i);
    // A malformed sequence is reported a byte at a time.
    const std::size_t length = sequence.valid ? sequence.length : 1;
    if (!sequence.valid) {
      result.failures.push_back({at, hexBytes(utf8.substr(i, 1)), true});
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
    const std::size_t length = isGbkPair(gbk, i) ? 2 : 1;
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
